// The banded report engine: band order, groups, pages, and what reaches paper and files.
#include "tests/support/TestEnv.h"

#include "data/Format.h"
#include "reports/PlainPdf.h"
#include "reports/ReportEngine.h"
#include "reports/ReportExport.h"
#include "reports/ReportPreview.h"
#include "reports/WorkTable.h"
#include "ui/Dialogs.h"
#include "ui/Errors.h"

#include <QAbstractButton>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// pdftotext -layout, one string per page.
QStringList pdfPages(const QString &pdf)
{
    QStringList pages = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The words pdftotext finds on the pages, with their boxes in points.
struct PdfWord
{
    QString text;
    double xMin, yMin, xMax, yMax;
};

QList<PdfWord> pdfWords(const QString &pdf)
{
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> out;
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out.append({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                    m.captured(4).toDouble()});
    }
    return out;
}

// The document as QPainter paints it on a QPdfWriter, the way the preview
// and the printer paint it.
bool paintedPdf(const ReportDocument &doc, const QString &path)
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(doc.page.pageLayout());
    return doc.render(&writer);
}

WorkTable groupedTable(const QList<QPair<int, QString>> &rows)
{
    WorkTable t({{QStringLiteral("g"), WorkTable::Type::Integer}, {QStringLiteral("nome"), WorkTable::Type::Text, 40}});
    for (const auto &r : rows) {
        const int i = t.append();
        t.set(i, QStringLiteral("g"), r.first);
        t.set(i, QStringLiteral("nome"), r.second);
    }
    return t;
}

// A small report in the shape of the stock reports: header with the page
// number, column header, one group on "g" with a total, detail, summary.
struct SampleReport : Report
{
    explicit SampleReport(const ReportSource &source, qreal detailHeight = 15)
    {
        name = QStringLiteral("TFormAmostra");
        caption = QStringLiteral("Amostra de Relatório");
        setSource(&source);
        const QFont body = reportFont(8);
        pageHeader.setHeight(40);
        pageHeader.addText(QStringLiteral("Titulo"), 0, 0, 740, QStringLiteral("Controle de Estoque - Amostra"),
                           reportFont(13, true), Qt::AlignHCenter);
        pageHeader.addPageNumber(QStringLiteral("Pagina"), 600, 20, 140, QStringLiteral("Pagina "), body);
        columnHeader.setHeight(18);
        columnHeader.addText(QString(), 0, 0, 200, QStringLiteral("PRODUTO"), reportFont(8, true));
        columnHeader.addText(QString(), 600, 0, 140, QStringLiteral("VALOR"), reportFont(8, true), Qt::AlignRight);
        ReportGroup &g = addGroup(QStringLiteral("g"));
        g.header.setHeight(18);
        g.header.addText(QStringLiteral("Grupo"), 0, 0, 300, QString(), reportFont(8, true));
        g.header.beforePrint = [this](ReportBand &b) {
            b.setText(QStringLiteral("Grupo"), QStringLiteral("GRUPO %1 linha %2").arg(field("g").toInt()).arg(currentRow()));
        };
        g.footer.setHeight(18);
        g.footer.addText(QString(), 400, 0, 100, QStringLiteral("TOTAL "), body);
        g.footer.addText(QStringLiteral("Soma"), 600, 0, 140, QString(), body, Qt::AlignRight);
        g.footer.beforePrint = [this](ReportBand &b) {
            b.setText(QStringLiteral("Soma"), Format::FormatFloat(QStringLiteral("##,##0.00"), groupTotal));
            groupTotal = 0;
        };
        detail.setHeight(detailHeight);
        detail.addText(QStringLiteral("Nome"), 0, 0, 300, QString(), body);
        detail.addText(QStringLiteral("Valor"), 600, 0, 140, QString(), body, Qt::AlignRight);
        detail.beforePrint = [this](ReportBand &b) {
            const double v = 1000.5 * (currentRow() + 1);
            b.setText(QStringLiteral("Nome"), field("nome").toString());
            b.setText(QStringLiteral("Valor"), Format::FormatFloat(QStringLiteral("##,##0.00"), v));
            groupTotal += v;
            grandTotal += v;
        };
        summary.setHeight(24);
        summary.addLine(600, 2, 740, 2);
        summary.addText(QString(), 400, 6, 180, QStringLiteral("TOTAL GERAL"), reportFont(10, true));
        summary.addText(QStringLiteral("Geral"), 600, 6, 140, QString(), body, Qt::AlignRight);
        summary.beforePrint = [this](ReportBand &b) {
            b.setText(QStringLiteral("Geral"), Format::FormatFloat(QStringLiteral("##,##0.00"), grandTotal));
            grandTotal = 0;
        };
    }
    double groupTotal = 0;
    double grandTotal = 0;
};

// The bands of a document as letters: P page header, C column header, H group
// header, D detail, F group footer, S summary, T title, R page footer.
QString shape(const ReportDocument &doc)
{
    QString out;
    for (int p = 0; p < doc.pages.size(); ++p) {
        if (p > 0)
            out += QLatin1Char('|');
        for (const PlacedBand &b : doc.pages[p].bands) {
            switch (b.kind) {
            case ReportBand::Kind::Title: out += QLatin1Char('T'); break;
            case ReportBand::Kind::PageHeader: out += QLatin1Char('P'); break;
            case ReportBand::Kind::ColumnHeader: out += QLatin1Char('C'); break;
            case ReportBand::Kind::GroupHeader: out += QLatin1Char('H'); break;
            case ReportBand::Kind::Detail: out += QLatin1Char('D'); break;
            case ReportBand::Kind::GroupFooter: out += QLatin1Char('F'); break;
            case ReportBand::Kind::Summary: out += QLatin1Char('S'); break;
            case ReportBand::Kind::PageFooter: out += QLatin1Char('R'); break;
            }
        }
    }
    return out;
}

QString textOf(const PlacedBand &band, const QString &name)
{
    for (const ReportItem &i : band.items)
        if (i.name == name)
            return i.text;
    return QString();
}

} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT
private slots:
    void init() { Dialogs::resetTest(); }

    void workTableConvertsAndCuts();
    void workTableOrder_data();
    void workTableOrder();
    void groupBreaks_data();
    void groupBreaks();
    void nestedGroupsCloseInnerFirst();
    void hooksRunOncePerPrintAndMaySkip();
    void pageBreaksRepeatHeaders();
    void emptyReportIsOnePage();
    void pageFooterAtTheBottom();
    void pdfReadsBack();
    void pageSizes_data();
    void pageSizes();
    void plainPdfReadsBack();
    void plainPdfPlacesTextLikeThePainter();
    void pdfOfOtherItemsGoesThroughQt_data();
    void pdfOfOtherItemsGoesThroughQt();
    void textExportKeepsColumns();
    void spreadsheetExport();
    void rtfExport();
    void exportToUnwritablePlaceFails();
    void previewSavesByExtension_data();
    void previewSavesByExtension();
    void previewShowsAllPagesMaximised();
    void previewReportsFailedSave();
    void printNowWithoutPrinterWritesPdf();
};

void TestReportEngine::workTableConvertsAndCuts()
{
    WorkTable t({{"Codigo", WorkTable::Type::Text, 6},
                 {"Classe", WorkTable::Type::Integer},
                 {"Custo", WorkTable::Type::Float},
                 {"Data", WorkTable::Type::Date}});
    const int r = t.append();
    t.set(r, "codigo", "1234567890");       // field names in any case
    t.set(r, "Classe", "0012");
    t.set(r, "Custo", "2,5");
    t.set(r, "Data", "25/03/21");
    QCOMPARE(t.text(r, "Codigo"), QString("123456"));
    QCOMPARE(t.integer(r, "Classe"), 12);
    QCOMPARE(t.number(r, "Custo"), 2.5);
    QCOMPARE(t.value(r, "Data").toDate(), QDate(2021, 3, 25));
    // A value that does not convert leaves the field empty, and says so.
    QVERIFY_THROWS_EXCEPTION(ConvertError, t.set(r, "Classe", "ABC"));
    QVERIFY(t.value(r, "Classe").isNull());
    QCOMPARE(t.integer(r, "Classe"), 0);
    QVERIFY_THROWS_EXCEPTION(ConvertError, t.set(r, "Custo", "1.5"));
    QCOMPARE(t.number(r, "Custo"), 0.0);
    QVERIFY_THROWS_EXCEPTION(AppError, t.set(r, "NaoExiste", 1));
    t.recreate();
    QCOMPARE(t.rowCount(), 0);
}

void TestReportEngine::workTableOrder_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("expected");
    // Empty values first; numbers as numbers (2 before 10); names in the
    // Portuguese alphabet, where Á is an A and not a letter after Z.
    QTest::newRow("classe;nome") << "classe;nome" << "-:ZINCO 1:ÁGUA 1:AGUAS 1:BOLA 2:ARAME 10:PREGO";
    QTest::newRow("nome") << "Nome" << "1:ÁGUA 1:AGUAS 2:ARAME 1:BOLA 10:PREGO -:ZINCO";
    QTest::newRow("classe keeps the order of equal rows") << "classe" << "-:ZINCO 1:BOLA 1:ÁGUA 1:AGUAS 2:ARAME 10:PREGO";
}

void TestReportEngine::workTableOrder()
{
    QFETCH(QString, index);
    QFETCH(QString, expected);
    WorkTable t({{"Classe", WorkTable::Type::Integer}, {"Nome", WorkTable::Type::Text, 40}});
    const QList<QPair<QVariant, QString>> rows = {
        {10, "PREGO"}, {1, "BOLA"}, {2, "ARAME"}, {QVariant(), "ZINCO"}, {1, "ÁGUA"}, {1, "AGUAS"}};
    for (const auto &row : rows) {
        const int r = t.append();
        t.set(r, "Classe", row.first);
        t.set(r, "Nome", row.second);
    }
    t.setIndexFieldNames(index);
    QStringList got;
    for (int r = 0; r < t.rowCount(); ++r)
        got << (t.value(r, "Classe").isNull() ? QString("-") : t.text(r, "Classe")) + ":" + t.text(r, "Nome");
    QCOMPARE(got.join(' '), expected);
}

void TestReportEngine::groupBreaks_data()
{
    QTest::addColumn<QList<int>>("groups");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one group") << QList<int>{1, 1, 1} << "PCHDDDFS";
    QTest::newRow("three groups") << QList<int>{1, 2, 2, 3} << "PCHDFHDDFHDFS";
    QTest::newRow("a value coming back opens a new group") << QList<int>{1, 2, 1} << "PCHDFHDFHDFS";
    QTest::newRow("no rows, no groups") << QList<int>{} << "PCS";
}

void TestReportEngine::groupBreaks()
{
    QFETCH(QList<int>, groups);
    QFETCH(QString, expected);
    QList<QPair<int, QString>> rows;
    for (int g : groups)
        rows.append({g, QStringLiteral("ITEM %1").arg(rows.size())});
    const WorkTable table = groupedTable(rows);
    SampleReport report(table);
    const ReportDocument doc = report.generate();
    QCOMPARE(shape(doc), expected);
}

void TestReportEngine::nestedGroupsCloseInnerFirst()
{
    WorkTable t({{"a", WorkTable::Type::Integer}, {"b", WorkTable::Type::Integer}});
    for (const auto &ab : QList<QPair<int, int>>{{1, 1}, {1, 2}, {2, 2}}) {
        const int r = t.append();
        t.set(r, "a", ab.first);
        t.set(r, "b", ab.second);
    }
    Report report;
    report.setSource(&t);
    QStringList events;
    auto band = [&](ReportBand &b, const QString &tag) {
        b.setHeight(10);
        b.beforePrint = [&events, &report, tag](ReportBand &) {
            events << QStringLiteral("%1%2").arg(tag).arg(report.currentRow());
        };
    };
    ReportGroup &outer = report.addGroup("a");
    ReportGroup &inner = report.addGroup("b");
    band(outer.header, "A");
    band(outer.footer, "a");
    band(inner.header, "B");
    band(inner.footer, "b");
    band(report.detail, "D");
    band(report.summary, "S");
    report.generate();
    // Footers see the last row of their group, headers the first.
    QCOMPARE(events.join(' '), QString("A0 B0 D0 b0 B1 D1 b1 a1 A2 B2 D2 b2 a2 S-1"));
}

void TestReportEngine::hooksRunOncePerPrintAndMaySkip()
{
    const WorkTable table = groupedTable({{1, "A"}, {1, "B"}, {1, "C"}});
    SampleReport report(table);
    int calls = 0;
    report.detail.beforePrint = [&](ReportBand &b) {
        ++calls;
        if (report.field("nome").toString() == QLatin1String("B"))
            b.skipThisPrint();
        b.setText("Nome", report.field("nome").toString());
    };
    const ReportDocument doc = report.generate();
    QCOMPARE(calls, 3);
    QCOMPARE(shape(doc), QString("PCHDDFS"));
    QStringList names;
    for (const PlacedBand &b : doc.pages[0].bands)
        if (b.kind == ReportBand::Kind::Detail)
            names << textOf(b, "Nome");
    QCOMPARE(names, QStringList({"A", "C"}));
    // The pages are data: painting them again runs no hook.
    QTemporaryDir dir;
    QVERIFY(ReportExport::writePdf(doc, dir.filePath("a.pdf")));
    QCOMPARE(calls, 3);
}

void TestReportEngine::pageBreaksRepeatHeaders()
{
    QList<QPair<int, QString>> rows;
    for (int i = 0; i < 150; ++i)
        rows.append({i < 100 ? 1 : 2, QStringLiteral("PRODUTO %1").arg(i, 3, 10, QLatin1Char('0'))});
    const WorkTable table = groupedTable(rows);
    SampleReport report(table, 20);
    const ReportDocument doc = report.generate();

    const qreal bottom = report.page.contentSizePx().height();
    int details = 0;
    QVERIFY(doc.pageCount() >= 3);
    for (int p = 0; p < doc.pageCount(); ++p) {
        const QList<PlacedBand> &bands = doc.pages[p].bands;
        QVERIFY(bands.size() >= 3);
        QCOMPARE(bands[0].kind, ReportBand::Kind::PageHeader);
        QCOMPARE(bands[1].kind, ReportBand::Kind::ColumnHeader);
        QCOMPARE(textOf(bands[0], "Pagina"), QStringLiteral("Pagina %1").arg(p + 1));
        for (const PlacedBand &b : bands) {
            QVERIFY2(b.top + b.height <= bottom + 0.01, qPrintable(QString("page %1").arg(p + 1)));
            if (b.kind == ReportBand::Kind::Detail)
                ++details;
        }
        // Each page is filled before the next begins: the next band would not fit.
        if (p + 1 < doc.pageCount())
            QVERIFY(bands.last().top + bands.last().height + 20 > bottom);
    }
    QCOMPARE(details, 150);
    QCOMPARE(doc.pages.last().bands.last().kind, ReportBand::Kind::Summary);
    // Group totals 1000,5 * (1 + ... + 100) and * (101 + ... + 150); the grand total of both.
    QStringList footers;
    for (const ReportPage &page : doc.pages)
        for (const PlacedBand &b : page.bands)
            if (b.kind == ReportBand::Kind::GroupFooter)
                footers << textOf(b, "Soma");
    QCOMPARE(footers, QStringList({"5.052.525,00", "6.278.137,50"}));
    QCOMPARE(doc.lines().last().cells.last().text, QString("11.330.662,50"));
}

void TestReportEngine::emptyReportIsOnePage()
{
    const WorkTable table = groupedTable({});
    SampleReport report(table);
    const ReportDocument doc = report.generate();
    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(shape(doc), QString("PCS"));
    QVERIFY(doc.texts().contains("0,00"));
    Report bare; // no source at all
    bare.summary.setHeight(10);
    QCOMPARE(shape(bare.generate()), QString("S"));
}

void TestReportEngine::pageFooterAtTheBottom()
{
    QList<QPair<int, QString>> rows;
    for (int i = 0; i < 80; ++i)
        rows.append({1, QString::number(i)});
    const WorkTable table = groupedTable(rows);
    SampleReport report(table, 20);
    report.title.setHeight(30);
    report.title.addText("T", 0, 0, 200, "SO NA PRIMEIRA", reportFont(10));
    report.pageFooter.setHeight(16);
    report.pageFooter.addPageNumber("N", 0, 0, 200, "Folha ", reportFont(8), Qt::AlignLeft);
    const ReportDocument doc = report.generate();
    QVERIFY(doc.pageCount() >= 2);
    const qreal height = report.page.contentSizePx().height();
    QVERIFY(shape(doc).startsWith("PTC"));
    QCOMPARE(shape(doc).count('T'), 1);
    for (int p = 0; p < doc.pageCount(); ++p) {
        const PlacedBand &last = doc.pages[p].bands.last();
        QCOMPARE(last.kind, ReportBand::Kind::PageFooter);
        QCOMPARE(last.top + last.height, height);
        QCOMPARE(textOf(last, "N"), QStringLiteral("Folha %1").arg(p + 1));
        for (const PlacedBand &b : doc.pages[p].bands)
            if (b.kind != ReportBand::Kind::PageFooter)
                QVERIFY(b.top + b.height <= last.top + 0.01);
    }
}

void TestReportEngine::pdfReadsBack()
{
    QList<QPair<int, QString>> rows;
    for (int i = 0; i < 120; ++i)
        rows.append({1 + i / 60, QStringLiteral("PARAFUSO SEXTAVADO %1").arg(i, 3, 10, QLatin1Char('0'))});
    const WorkTable table = groupedTable(rows);
    SampleReport report(table);
    const ReportDocument doc = report.generate();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("amostra.pdf");
    QVERIFY(ReportOutput::toPdf(doc, pdf));
    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), doc.pageCount());
    QVERIFY(pages.size() >= 2);
    for (int p = 0; p < pages.size(); ++p) {
        QVERIFY(pages[p].contains("Controle de Estoque - Amostra"));
        QVERIFY(pages[p].contains(QRegularExpression(QStringLiteral("Pagina %1\\s*\\n").arg(p + 1))));
        QVERIFY(pages[p].contains("PRODUTO"));
    }
    QVERIFY(pages.first().contains(QRegularExpression("GRUPO 1 linha 0\\s*\\n")));
    QVERIFY(pages.first().contains(QRegularExpression("PARAFUSO SEXTAVADO 000\\s+1.000,50\\s*\\n")));
    // The grand total, right-aligned with the column, under "TOTAL GERAL".
    QVERIFY(pages.last().contains(QRegularExpression("TOTAL GERAL\\s+7.263.630,00\\s*\\n")));
    QVERIFY(!pages.first().contains("TOTAL GERAL"));
    // Right alignment survives: the amounts end in the same column.
    QRegularExpression amount("([\\d.]+,\\d\\d)\\s*$", QRegularExpression::MultilineOption);
    QSet<qsizetype> ends;
    for (const QString &line : pages.first().split('\n')) {
        const auto m = amount.match(line);
        if (m.hasMatch() && line.contains("PARAFUSO"))
            ends.insert(m.capturedEnd(1));
    }
    QCOMPARE(ends.size(), 1);
}

void TestReportEngine::pageSizes_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<QString>("size");
    QTest::newRow("Letter") << int(PageSetup::Paper::Letter) << "612 x 792 pts";
    QTest::newRow("A4") << int(PageSetup::Paper::A4) << "595 x 842 pts";
    QTest::newRow("label strip") << int(PageSetup::Paper::Custom) << "325 x 62 pts"; // kept wider than long
}

void TestReportEngine::pageSizes()
{
    QFETCH(int, paper);
    QFETCH(QString, size);
    Report report;
    report.page = PageSetup::custom(114.56, 21.70);
    report.page.paper = PageSetup::Paper(paper);
    report.page.marginsMm = QMarginsF(2, 1, 2, 2);
    report.summary.setHeight(40);
    report.summary.addText("x", 0, 0, 200, "ETIQUETA", reportFont(8));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("p.pdf");
    QVERIFY(ReportOutput::toPdf(report.generate(), pdf));
    const QString info = run("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression("Page size:\\s+" + QRegularExpression::escape(size))), qPrintable(info));
    QVERIFY(pdfPages(pdf).value(0).contains("ETIQUETA"));
}

void TestReportEngine::plainPdfReadsBack()
{
    const QStringList names = {"AÇÚCAR CRISTAL", "PÃO FRANCÊS", "MAÇÃ FUJI", "LIMÃO TAITI",
                               "CORAÇÃO DE FRANGO", "ÓLEO DE SOJA", "BUCHA (S8) \\ PARAFUSO", "FEIJÃO CARIOCA"};
    QList<QPair<int, QString>> rows;
    for (int i = 0; i < 150; ++i)
        rows.append({1 + i / 50, QStringLiteral("%1 %2").arg(names[i % names.size()]).arg(i, 3, 10, QLatin1Char('0'))});
    const WorkTable table = groupedTable(rows);
    SampleReport report(table);
    report.pageHeader.setText("Titulo", "Preços – Relatório de Ações (março)");
    report.pageHeader.addRect(QRectF(0, 0, 740, 18));
    const ReportDocument doc = report.generate();
    QVERIFY(PlainPdf::supports(doc));
    QVERIFY(doc.pageCount() >= 3);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("precos.pdf");
    QVERIFY(ReportOutput::toPdf(doc, pdf));

    const QString info = run("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(doc.pageCount()))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Page size:\\s+612 x 792 pts")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Title:\\s+Amostra de Relatório\\n")), qPrintable(info));
    // The standard fonts, by name and not embedded.
    const QString fonts = run("pdffonts", {pdf});
    QVERIFY2(fonts.contains(QRegularExpression("\\nHelvetica\\s+Type 1\\s+WinAnsi\\s+no")), qPrintable(fonts));
    QVERIFY2(fonts.contains(QRegularExpression("\\nHelvetica-Bold\\s+Type 1\\s+WinAnsi\\s+no")), qPrintable(fonts));

    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), doc.pageCount());
    const QString all = pages.join(QLatin1Char('\n'));
    for (int p = 0; p < pages.size(); ++p) {
        QVERIFY2(pages[p].contains("Preços – Relatório de Ações (março)"), qPrintable(pages[p]));
        QVERIFY(pages[p].contains(QRegularExpression(QStringLiteral("Pagina %1\\s*\\n").arg(p + 1))));
    }
    // Every row, accents and amount, on one line; the amount right-aligned
    // with the group totals and the grand total, on every page.
    for (int i = 0; i < rows.size(); ++i) {
        const QString amount = Format::FormatFloat(QStringLiteral("##,##0.00"), 1000.5 * (i + 1));
        const QString line = QRegularExpression::escape(rows[i].second) + "\\s+" + QRegularExpression::escape(amount) + "\\n";
        QVERIFY2(all.contains(QRegularExpression(line)), qPrintable(rows[i].second));
    }
    QVERIFY(pages.last().contains(QRegularExpression("TOTAL GERAL\\s+11.330.662,50\\s*\\n")));
    // Measured in points: every amount ends where its column ends, 600 + 140
    // pixels right of the margin of 28 points (Qt rounds 10 mm to whole points).
    const QRegularExpression amount("^-?[\\d.]+,\\d\\d$");
    int amounts = 0;
    for (const PdfWord &w : pdfWords(pdf)) {
        if (!amount.match(w.text).hasMatch())
            continue;
        ++amounts;
        QVERIFY2(qAbs(w.xMax - 583.0) < 0.05, qPrintable(QStringLiteral("%1 ends at %2").arg(w.text).arg(w.xMax)));
    }
    QCOMPARE(amounts, rows.size() + 3 + 1); // rows, group totals, grand total
}

void TestReportEngine::plainPdfPlacesTextLikeThePainter()
{
    Report report;
    report.page.marginsMm = QMarginsF(10, 10, 10, 20);
    report.summary.setHeight(200);
    const QFont body = reportFont(8);
    report.summary.addText("a", 0, 0, 200, "Ação AVATAR", body);
    report.summary.addText("b", 300, 0, 140, "1.234.567,89", body, Qt::AlignRight);
    report.summary.addText("c", 450, 0, 290, "Estoque Médio", reportFont(13, true), Qt::AlignHCenter);
    report.summary.addText("d", 600, 30, 140, "TOTAL ", reportFont(10), Qt::AlignRight, 18);
    report.summary.addText("e", 0, 30, 140, "  -98.765,40", reportFont(8, true), Qt::AlignRight, 18);
    report.summary.addText("f", 0, 60, 200, "TOPO", body, Qt::AlignLeft | Qt::AlignTop, 40);
    report.summary.addText("g", 300, 60, 200, "BASE", body, Qt::AlignLeft | Qt::AlignBottom, 40);
    const ReportDocument doc = report.generate();
    QTemporaryDir dir;
    QVERIFY(PlainPdf::write(doc, dir.filePath("own.pdf")));
    QVERIFY(paintedPdf(doc, dir.filePath("painted.pdf")));
    const QList<PdfWord> own = pdfWords(dir.filePath("own.pdf"));
    const QList<PdfWord> painted = pdfWords(dir.filePath("painted.pdf"));
    QCOMPARE(own.size(), painted.size());
    QCOMPARE(own.size(), 9);
    // Same start, same end, same baseline (the two fonts' descents differ by
    // a hundredth of the size), within half a point.
    for (int i = 0; i < own.size(); ++i) {
        const PdfWord &a = own[i];
        const PdfWord &b = painted[i];
        QCOMPARE(a.text, b.text);
        const QString where = QStringLiteral("%1: %2,%3-%4,%5 against %6,%7-%8,%9")
                                  .arg(a.text).arg(a.xMin).arg(a.yMin).arg(a.xMax).arg(a.yMax)
                                  .arg(b.xMin).arg(b.yMin).arg(b.xMax).arg(b.yMax);
        QVERIFY2(qAbs(a.xMin - b.xMin) < 0.5, qPrintable(where));
        QVERIFY2(qAbs(a.xMax - b.xMax) < 0.5, qPrintable(where));
        QVERIFY2(qAbs(a.yMax - b.yMax) < 0.5, qPrintable(where));
    }
}

void TestReportEngine::pdfOfOtherItemsGoesThroughQt_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("text");
    QTest::newRow("painted picture") << "paint" << "ETIQUETA 000123";
    QTest::newRow("character WinAnsi lacks") << "text" << "Área ≥ 10 m²";
    QTest::newRow("another font") << "courier" << "CODIGO 000123";
    QTest::newRow("underlined text") << "underline" << "SUBLINHADO";
}

void TestReportEngine::pdfOfOtherItemsGoesThroughQt()
{
    QFETCH(QString, item);
    QFETCH(QString, text);
    Report report;
    report.summary.setHeight(60);
    QFont font = reportFont(10);
    if (item == "courier")
        font = reportFont(10, false, "Courier New");
    if (item == "underline")
        font.setUnderline(true);
    report.summary.addText("t", 0, 0, 300, text, font);
    if (item == "paint")
        report.summary.addPaint("p", QRectF(0, 20, 100, 30), [](QPainter &p, const QRectF &r) { p.fillRect(r, Qt::black); });
    const ReportDocument doc = report.generate();
    QVERIFY(!PlainPdf::supports(doc));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("r.pdf");
    QVERIFY(ReportOutput::toPdf(doc, pdf));
    QVERIFY2(pdfPages(pdf).value(0).contains(text), qPrintable(pdfPages(pdf).value(0)));
    // QPdfWriter embeds the font it shaped with.
    const QString fonts = run("pdffonts", {pdf});
    QVERIFY2(fonts.contains(QRegularExpression("Identity-H\\s+yes\\s+")), qPrintable(fonts));
}

void TestReportEngine::textExportKeepsColumns()
{
    const WorkTable table = groupedTable({{1, "ARRUELA"}, {1, "PORCA"}, {2, "CORRENTE"}});
    SampleReport report(table);
    QTemporaryDir dir;
    const QString path = dir.filePath("r.txt");
    QVERIFY(ReportExport::writeText(report.generate(), path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    const auto lineWith = [&](const QString &t) {
        for (const QString &l : lines)
            if (l.contains(t))
                return l;
        return QString();
    };
    QVERIFY(lineWith("Controle de Estoque - Amostra").startsWith(' ')); // centred
    QVERIFY(lineWith("Pagina 1").endsWith("Pagina 1"));
    QCOMPARE(lineWith("ARRUELA").simplified(), QString("ARRUELA 1.000,50"));
    QVERIFY(lineWith("ARRUELA").startsWith("ARRUELA"));
    // Right-aligned amounts end in the same column as their caption.
    const int end = int(lineWith("VALOR").size());
    QCOMPARE(int(lineWith("PORCA").size()), end);
    QCOMPARE(int(lineWith("CORRENTE").size()), end);
    QVERIFY(lineWith("TOTAL GERAL").endsWith("6.003,00"));
    QCOMPARE(int(lineWith("TOTAL GERAL").size()), end);
}

void TestReportEngine::spreadsheetExport()
{
    const WorkTable table = groupedTable({{1, "ARRUELA"}, {1, "PORCA Ç"}, {2, "000123"}});
    SampleReport report(table);
    QTemporaryDir dir;
    const QString path = dir.filePath("r.xlsx");
    QVERIFY(ReportExport::writeSpreadsheet(report.generate(), path));
    const QString strings = run("unzip", {"-p", path, "xl/sharedStrings.xml"});
    const QString sheet = run("unzip", {"-p", path, "xl/worksheets/sheet1.xml"});
    QVERIFY(strings.contains("Controle de Estoque - Amostra"));
    QVERIFY(strings.contains("PORCA Ç"));
    QVERIFY(strings.contains("TOTAL GERAL"));
    // A code keeps its zeros: it is text, left-aligned.
    QVERIFY(strings.contains("000123"));
    // Amounts are numbers: 1.000,50, 2.001,00, 3.001,50 and the totals.
    for (const char *v : {"<v>1000.5</v>", "<v>2001</v>", "<v>3001.5</v>", "<v>6003</v>"})
        QVERIFY2(sheet.contains(v), v);
    // One row per printed line: header (2 lines), captions, group, 2 details,
    // footer, group, detail, footer, summary.
    QCOMPARE(sheet.count("<row "), 11);
}

void TestReportEngine::rtfExport()
{
    QList<QPair<int, QString>> rows;
    for (int i = 0; i < 90; ++i)
        rows.append({1, QStringLiteral("AÇÚCAR {%1}").arg(i)});
    const WorkTable table = groupedTable(rows);
    SampleReport report(table);
    const ReportDocument doc = report.generate();
    QTemporaryDir dir;
    const QString path = dir.filePath("r.rtf");
    QVERIFY(ReportExport::writeRtf(doc, path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString rtf = QString::fromLatin1(f.readAll());
    QVERIFY(rtf.startsWith("{\\rtf1"));
    QVERIFY(rtf.trimmed().endsWith("}"));
    QCOMPARE(rtf.count("\\page"), doc.pageCount() - 1);
    QVERIFY(rtf.contains("A\\u199?\\u218?CAR \\{0\\}"));
    QVERIFY(rtf.contains("\\tqr\\tx"));          // amounts on right tab stops
    QVERIFY(rtf.contains("\\paperw12240\\paperh15840"));
}

void TestReportEngine::exportToUnwritablePlaceFails()
{
    const WorkTable table = groupedTable({{1, "A"}});
    SampleReport report(table);
    const ReportDocument doc = report.generate();
    const QString missing = "/nonexistent-folder/r";
    QVERIFY(!ReportExport::writePdf(doc, missing + ".pdf"));
    QVERIFY(!ReportExport::writeText(doc, missing + ".txt"));
    QVERIFY(!ReportExport::writeSpreadsheet(doc, missing + ".xlsx"));
    QVERIFY(!ReportExport::writeRtf(doc, missing + ".rtf"));
}

void TestReportEngine::previewSavesByExtension_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("pdf") << "r.pdf" << QByteArray("%PDF");
    QTest::newRow("no extension is a pdf") << "r" << QByteArray("%PDF");
    QTest::newRow("text") << "r.txt" << QByteArray(" ");
    QTest::newRow("spreadsheet") << "r.xlsx" << QByteArray("PK");
    QTest::newRow("rtf") << "r.rtf" << QByteArray("{\\rtf1");
}

void TestReportEngine::previewSavesByExtension()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, magic);
    TestRoot root;
    const WorkTable table = groupedTable({{1, "A"}});
    SampleReport report(table);
    const ReportDocument doc = report.generate();
    Dialogs::queueModal([&](QDialog *dialog) {
        Dialogs::queueText(root.root() + "/" + file);
        dialog->findChild<QAbstractButton *>("PreviewSave")->click();
        dialog->findChild<QAbstractButton *>("PreviewClose")->click();
    });
    ReportOutput::preview(doc, nullptr);
    const QString saved = root.root() + "/" + (file == "r" ? QString("r.pdf") : file);
    QFile f(saved);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(saved));
    QVERIFY(f.read(16).startsWith(magic));
    const QList<Dialogs::Shown> shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].kind, QString("modal"));
    QCOMPARE(shown[0].caption, QString("Amostra de Relatório"));
    QCOMPARE(shown[0].text, QString("TFormAmostra"));
    QCOMPARE(shown[1].kind, QString("save"));
    QVERIFY(shown[1].text.startsWith("Arquivo PDF (*.pdf)")); // PDF is the first choice
}

void TestReportEngine::previewShowsAllPagesMaximised()
{
    QList<QPair<int, QString>> rows;
    for (int i = 0; i < 130; ++i)
        rows.append({1, QString::number(i)});
    const WorkTable table = groupedTable(rows);
    SampleReport report(table);
    const ReportDocument doc = report.generate();
    QVERIFY(doc.pageCount() >= 3);
    bool checked = false;
    Dialogs::queueModal([&](QDialog *dialog) {
        auto *preview = qobject_cast<ReportPreview *>(dialog);
        QVERIFY(preview);
        QVERIFY(preview->windowState() & Qt::WindowMaximized);
        QCOMPARE(preview->view()->zoomMode(), QPrintPreviewWidget::FitToWidth);
        QCOMPARE(preview->view()->pageCount(), doc.pageCount());
        preview->findChild<QAbstractButton *>("PreviewLast")->click();
        QCOMPARE(preview->view()->currentPage(), doc.pageCount());
        // Printing asks for the printer through the dialog seam; unanswered, nothing prints.
        preview->findChild<QAbstractButton *>("PreviewPrint")->click();
        checked = true;
    });
    ReportOutput::preview(doc, nullptr);
    QVERIFY(checked);
    const QList<Dialogs::Shown> shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[1].kind, QString("modal"));
    QCOMPARE(shown[1].text, QString("PrintDialog"));
}

void TestReportEngine::previewReportsFailedSave()
{
    const WorkTable table = groupedTable({{1, "A"}});
    SampleReport report(table);
    const ReportDocument doc = report.generate();
    Dialogs::queueModal([](QDialog *dialog) {
        Dialogs::queueText("/nonexistent-folder/r.pdf");
        dialog->findChild<QAbstractButton *>("PreviewSave")->click();
        Dialogs::queueText(QString()); // cancelled: nothing at all
        dialog->findChild<QAbstractButton *>("PreviewSave")->click();
    });
    ReportOutput::preview(doc, nullptr);
    QStringList errors;
    for (const Dialogs::Shown &s : Dialogs::takeShown())
        if (s.kind == "error")
            errors << s.text;
    QCOMPARE(errors, QStringList({"Não foi possível gravar o arquivo /nonexistent-folder/r.pdf"}));
}

void TestReportEngine::printNowWithoutPrinterWritesPdf()
{
    TestRoot root;
    const WorkTable table = groupedTable({{1, "ARRUELA"}});
    SampleReport report(table);
    const ReportDocument doc = report.generate();
    const QString first = ReportOutput::printNow(doc);
    const QString second = ReportOutput::printNow(doc);
    QVERIFY(!first.isEmpty());
    QVERIFY(first != second); // a second print never overwrites the first
    QVERIFY(first.startsWith(root.install() + "/Relatorios/"));
    QVERIFY(pdfPages(first).value(0).contains("ARRUELA"));
    const QList<Dialogs::Shown> shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].kind, QString("message"));
    QVERIFY(shown[0].text.endsWith(first));
}

TAMBLO_TEST_MAIN(TestReportEngine)
#include "tst_report_engine.moc"
