#include "reports/ReportWindow.h"

#include "data/TLOGON.h"
#include "reports/ReportEngine.h"
#include "reports/ReportPreview.h"
#include "ui/Look.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QFrame *strip(QWidget *parent, const QString &name, int height)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setFixedHeight(height);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, Look::BandDark);
    f->setPalette(p);
    return f;
}

} // namespace

ReportWindow::ReportWindow(QWidget *parent, const QString &caption, const QString &stripTitle,
                           const QString &closeCaption)
    : QDialog(parent)
{
    setWindowTitle(caption);
    Look::setFace(this);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *title = new TitleBand(stripTitle, Look::BandDark, this, 24);
    title->setObjectName(QStringLiteral("TitleStrip"));
    outer->addWidget(title);

    auto *body = new QWidget(this);
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(16, 12, 16, 12);
    m_panel = new QFrame(body);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    static_cast<QFrame *>(m_panel)->setFrameShape(QFrame::StyledPanel);
    m_panelLayout = new QVBoxLayout(m_panel);
    bodyLayout->addWidget(m_panel, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_print = new QPushButton(QStringLiteral("&Imprimir"), body);
    m_print->setObjectName(QStringLiteral("BitBtn1"));
    m_print->setAutoDefault(false);
    m_close = new QPushButton(closeCaption, body);
    m_close->setObjectName(QStringLiteral("BitBtn2"));
    m_close->setAutoDefault(false);
    buttons->addWidget(m_print);
    buttons->addWidget(m_close);
    buttons->addStretch();
    bodyLayout->addLayout(buttons);
    outer->addWidget(body, 1);

    outer->addWidget(strip(this, QStringLiteral("BottomStrip"), 8));

    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

ReportWindow::~ReportWindow() = default;

QGroupBox *ReportWindow::addOutputChoice(const QString &caption)
{
    auto *box = new QGroupBox(caption, m_panel);
    box->setObjectName(QStringLiteral("Opcao"));
    auto *row = new QHBoxLayout(box);
    m_printer = new QRadioButton(QStringLiteral("Impressora"), box);
    m_printer->setObjectName(QStringLiteral("OpcaoImpressora"));
    m_video = new QRadioButton(QStringLiteral("Video/Impressora"), box);
    m_video->setObjectName(QStringLiteral("OpcaoVideo"));
    m_video->setChecked(true);
    row->addWidget(m_printer);
    row->addWidget(m_video);
    m_panelLayout->addWidget(box);
    return box;
}

QGroupBox *ReportWindow::addProgress()
{
    auto *box = new QGroupBox(QStringLiteral("Progresso"), m_panel);
    box->setObjectName(QStringLiteral("Progresso"));
    auto *row = new QHBoxLayout(box);
    m_progress = new QProgressBar(box);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    row->addWidget(m_progress);
    m_panelLayout->addWidget(box);
    return box;
}

bool ReportWindow::printAtOnce() const { return m_printer && m_printer->isChecked(); }

void ReportWindow::advanceProgress(int recNo, int recordCount)
{
    if (!m_progress)
        return;
    const qint64 divisor = qint64(recordCount - 1) * 100;
    if (divisor == 0)
        return;
    // The last rows give a little over 100: the bar stays full.
    const int position = int(std::clamp<qint64>(qint64(recNo) * 10000 / divisor, 0, 100));
    if (position == m_progress->value())
        return;
    m_progress->setValue(position);
    m_progress->repaint();
}

void ReportWindow::resetProgress()
{
    if (m_progress)
        m_progress->setValue(0);
}

int ReportWindow::progressPosition() const { return m_progress ? m_progress->value() : 0; }

void ReportWindow::setStandardPrintHint() { m_print->setToolTip(PrintHint); }

void ReportWindow::setPeriodHints(const QList<QWidget *> &dateFields)
{
    for (QWidget *w : dateFields)
        w->setToolTip(PeriodHint);
}

void ReportWindow::present(Report &report)
{
    const ReportDocument document = report.generate();
    if (printAtOnce())
        ReportOutput::printNow(document);
    else
        ReportOutput::preview(document, this);
}

void ReportWindow::done(int result)
{
    if (m_closeShared && LOGON)
        LOGON->CloseSharedQueries();
    QDialog::done(result);
}
