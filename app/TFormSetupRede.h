#pragma once

#include <QDialog>

class QLineEdit;

// The database server's address for this machine, written to SetupRede.Ini;
// it takes effect at the next start, so confirming ends the program.
class TFormSetupRede : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSetupRede(QWidget *parent = nullptr);

    static QString setupFile();

private:
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();

    QLineEdit *m_edit = nullptr;
};
