#pragma once

#include "app/MenuTable.h"

#include <QMainWindow>
#include <QPixmap>
#include <memory>

class QLabel;
class QPlainTextEdit;
class TLOGON;

// The main window: the hub from which every other window opens.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // False when the start stopped (connection or upgrade error, no login):
    // the window then closes as soon as it shows.
    bool started() const { return m_started; }
    TLOGON *logon() const { return m_logon.get(); }

    void openEntry(const MenuEntry &entry);
    void setLogo(const QString &file);
    bool hasLogo() const;
    void refreshStatus();
    QString statusText() const;

    // The check of the short date format, on today's date formatted and trimmed.
    static bool dateFormatOk(const QString &today);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void buildToolbar();
    void changeLogo();
    void FormCreate();

    std::unique_ptr<TLOGON> m_logon;
    bool m_started = false;
    bool m_loginShown = false;
    bool m_closing = false;
    QLabel *m_status = nullptr;
    QPlainTextEdit *m_dateWarning = nullptr;
    class LogoArea *m_logoArea = nullptr;
};

extern TForm1 *Form1;

// The F2 / F3 keys of the whole program.
void installKeyboardHook();
// The first calculator this machine has, or empty.
QString findCalculator();
