#include "reports/ReportPreview.h"

#include "data/Clock.h"
#include "data/Paths.h"
#include "reports/ReportExport.h"
#include "ui/Dialogs.h"
#include "ui/Look.h"
#include "ui/Guard.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString CannotPrint = QStringLiteral("Não foi possível imprimir o relatório.");

QString cannotWrite(const QString &path)
{
    return QStringLiteral("Não foi possível gravar o arquivo %1").arg(QDir::toNativeSeparators(path));
}

QString fileStem(const ReportDocument &doc)
{
    QString stem = doc.caption.isEmpty() ? doc.name : doc.caption;
    static const QString unsafe = QStringLiteral("\\/:*?\"<>|");
    for (QChar &c : stem)
        if (unsafe.contains(c))
            c = QLatin1Char(' ');
    stem = stem.simplified();
    return stem.isEmpty() ? QStringLiteral("Relatorio") : stem;
}

QPushButton *button(QWidget *parent, QLayout *layout, const QString &name, const QString &caption,
                    const QString &hint = QString())
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
}

} // namespace

ReportPreview::ReportPreview(const ReportDocument &document, QWidget *parent)
    : QDialog(parent), m_document(document), m_printer(new QPrinter(QPrinter::HighResolution))
{
    setObjectName(document.name.isEmpty() ? QStringLiteral("ReportPreview") : document.name);
    setWindowTitle(document.caption);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    Look::maximize(this);

    m_printer->setPageLayout(m_document.page.pageLayout());
    m_printer->setDocName(m_document.caption);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *bar = new QHBoxLayout;
    layout->addLayout(bar);

    QPushButton *print = button(this, bar, QStringLiteral("PreviewPrint"), QStringLiteral("&Imprimir"),
                                QStringLiteral("Imprimir o relatório"));
    QPushButton *save = button(this, bar, QStringLiteral("PreviewSave"), QStringLiteral("&Salvar"),
                               QStringLiteral("Salvar em PDF, texto, planilha ou RTF"));
    bar->addSpacing(16);
    QPushButton *width = button(this, bar, QStringLiteral("PreviewFitWidth"), QStringLiteral("Largura"),
                                QStringLiteral("Ajustar à largura da página"));
    QPushButton *whole = button(this, bar, QStringLiteral("PreviewFitPage"), QStringLiteral("Página inteira"));
    QPushButton *zoomIn = button(this, bar, QStringLiteral("PreviewZoomIn"), QStringLiteral("+"),
                                 QStringLiteral("Ampliar"));
    QPushButton *zoomOut = button(this, bar, QStringLiteral("PreviewZoomOut"), QStringLiteral("-"),
                                  QStringLiteral("Reduzir"));
    bar->addSpacing(16);
    QPushButton *first = button(this, bar, QStringLiteral("PreviewFirst"), QStringLiteral("|<"),
                                QStringLiteral("Primeira página"));
    QPushButton *prior = button(this, bar, QStringLiteral("PreviewPrior"), QStringLiteral("<"),
                                QStringLiteral("Página anterior"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("PreviewPage"));
    bar->addWidget(m_pageLabel);
    QPushButton *next = button(this, bar, QStringLiteral("PreviewNext"), QStringLiteral(">"),
                               QStringLiteral("Próxima página"));
    QPushButton *last = button(this, bar, QStringLiteral("PreviewLast"), QStringLiteral(">|"),
                               QStringLiteral("Última página"));
    bar->addStretch();
    QPushButton *close = button(this, bar, QStringLiteral("PreviewClose"), QStringLiteral("&Fechar"));

    m_view = new QPrintPreviewWidget(m_printer, this);
    m_view->setObjectName(QStringLiteral("PreviewView"));
    m_view->setZoomMode(QPrintPreviewWidget::FitToWidth);
    layout->addWidget(m_view, 1);

    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPreview);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::showPageNumber);
    onSignal(print, &QPushButton::clicked, this, &ReportPreview::printDocument);
    onSignal(save, &QPushButton::clicked, this, &ReportPreview::saveDocument);
    connect(width, &QPushButton::clicked, m_view, &QPrintPreviewWidget::fitToWidth);
    connect(whole, &QPushButton::clicked, m_view, &QPrintPreviewWidget::fitInView);
    connect(zoomIn, &QPushButton::clicked, m_view, [this] { m_view->zoomIn(); });
    connect(zoomOut, &QPushButton::clicked, m_view, [this] { m_view->zoomOut(); });
    connect(first, &QPushButton::clicked, this, [this] { m_view->setCurrentPage(1); showPageNumber(); });
    connect(prior, &QPushButton::clicked, this, [this] {
        m_view->setCurrentPage(m_view->currentPage() - 1);
        showPageNumber();
    });
    connect(next, &QPushButton::clicked, this, [this] {
        m_view->setCurrentPage(m_view->currentPage() + 1);
        showPageNumber();
    });
    connect(last, &QPushButton::clicked, this, [this] {
        m_view->setCurrentPage(m_view->pageCount());
        showPageNumber();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    showPageNumber();
}

ReportPreview::~ReportPreview()
{
    delete m_view;
    delete m_printer;
}

void ReportPreview::paintPreview(QPrinter *printer) { m_document.render(printer); }

void ReportPreview::showPageNumber()
{
    m_pageLabel->setText(QStringLiteral("Página %1 de %2")
                             .arg(qMax(1, m_view->currentPage()))
                             .arg(m_document.pageCount()));
}

void ReportPreview::printDocument()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_document.page.pageLayout());
    printer.setDocName(m_document.caption);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    dialog.setWindowTitle(QStringLiteral("Imprimir"));
    if (Dialogs::execModal(&dialog) != QDialog::Accepted)
        return;
    int from = 0, to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    if (!m_document.render(&printer, from, to))
        Dialogs::errorBox(CannotPrint);
}

void ReportPreview::saveDocument()
{
    QString filter;
    const QString suggested = QDir(Paths::root()).filePath(fileStem(m_document) + QStringLiteral(".pdf"));
    QString path = Dialogs::saveFileName(this, QStringLiteral("Salvar relatório"), suggested,
                                         ReportExport::fileFilters(), &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += ReportExport::extension(ReportExport::formatOfFilter(filter));
    saveAs(path);
}

bool ReportPreview::saveAs(const QString &path)
{
    if (ReportExport::write(m_document, path, ReportExport::formatFor(path)))
        return true;
    Dialogs::errorBox(cannotWrite(path));
    return false;
}

namespace ReportOutput {

void preview(const ReportDocument &document, QWidget *parent)
{
    ReportPreview window(document, parent);
    Dialogs::execModal(&window);
}

bool toPdf(const ReportDocument &document, const QString &path)
{
    return ReportExport::writePdf(document, path);
}

QString printNow(const ReportDocument &document)
{
    if (!Dialogs::testMode()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull()) {
            QPrinter printer(info, QPrinter::HighResolution);
            printer.setPageLayout(document.page.pageLayout());
            printer.setDocName(document.caption);
            if (!document.render(&printer))
                Dialogs::errorBox(CannotPrint);
            return QString();
        }
    }
    const QString folder = Paths::installFile(QStringLiteral("Relatorios"));
    QDir().mkpath(folder);
    const QString stem = fileStem(document) + Clock::now().toString(QStringLiteral("-yyyyMMdd-hhmmss"));
    QString path = QDir(folder).filePath(stem + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1-%2.pdf").arg(stem).arg(n));
    if (!toPdf(document, path)) {
        Dialogs::errorBox(cannotWrite(path));
        return QString();
    }
    Dialogs::message(QStringLiteral("Nenhuma impressora disponível.\nO relatório foi gravado em\n%1")
                         .arg(QDir::toNativeSeparators(path)));
    return path;
}

} // namespace ReportOutput
