#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QGroupBox;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;
class Report;

// What every report selection window shares: the face colour, the dark strip
// with the title across the top and a thin one along the bottom, the panel of
// choices in the middle, "&Imprimir" and the close button under it, the
// "Opção" output choice, the "Progresso" bar, the standard hints, and
// CloseSharedQueries when the window closes.
class ReportWindow : public QDialog
{
    Q_OBJECT
public:
    ~ReportWindow() override;

    QPushButton *printButton() const { return m_print; }
    QPushButton *closeButton() const { return m_close; }
    // "Impressora" (index 0) prints at once; "Video/Impressora" previews.
    bool printAtOnce() const;

    inline static const QString PrintHint = QStringLiteral(
        "Imprimir Relatorio\nCaso haja problema com a impressão\ntalves seja necessario configurar a "
        "impressora\nno menu \"Configuração da impressora\"");
    inline static const QString PeriodHint = QStringLiteral(
        "Informar o periodo em que o sistema deva\nGerar o balancete, pode ser de qualquer\nperiodo");

protected:
    // Buttons: "&Imprimir" (object name BitBtn1) and the close button
    // (BitBtn2) with the caption the window uses ("&Retorna", "&Sair", ...).
    ReportWindow(QWidget *parent, const QString &caption, const QString &stripTitle,
                 const QString &closeCaption = QStringLiteral("&Retorna"));

    // The middle panel; choices are added to its layout from top to bottom.
    QWidget *panel() const { return m_panel; }
    QVBoxLayout *panelLayout() const { return m_panelLayout; }

    // "Impressora" / "Video/Impressora" in a frame captioned as the window
    // says ("Opção", "| Opção |"), appended to the panel; "Video/Impressora" chosen.
    QGroupBox *addOutputChoice(const QString &caption = QStringLiteral("Opção"));
    // "Progresso" with a bar from 0 to 100, appended to the panel.
    QGroupBox *addProgress();

    // After row recNo (1-based) of a walked query of recordCount rows:
    // position = recNo * 10000 / ((recordCount - 1) * 100) in whole numbers; a
    // query of one row (division by zero) leaves the bar as it is. The bar is
    // repainted at once, since the window handles no events while it builds.
    void advanceProgress(int recNo, int recordCount);
    void resetProgress();
    int progressPosition() const;

    void setStandardPrintHint();
    void setPeriodHints(const QList<QWidget *> &dateFields);

    // Generates the layout and prints it at once or previews it, as "Opção"
    // says (always the preview when the window has no "Opção").
    void present(Report &report);

    // Most windows run CloseSharedQueries whenever they close; some do not.
    void setClosesSharedQueries(bool on) { m_closeShared = on; }

public:
    void done(int result) override;

private:
    QWidget *m_panel;
    QVBoxLayout *m_panelLayout;
    QPushButton *m_print;
    QPushButton *m_close;
    QRadioButton *m_printer = nullptr;
    QRadioButton *m_video = nullptr;
    QProgressBar *m_progress = nullptr;
    bool m_closeShared = true;
};
