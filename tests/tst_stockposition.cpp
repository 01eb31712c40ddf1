// The current stock position: its selection window, its rows and its printed layout.
#include "tests/support/TestEnv.h"

#include "data/Clock.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "reports/ReportPreview.h"
#include "reports/TFormImpRap.h"
#include "ui/Dialogs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

struct Product
{
    QString codigo, nome, classe;
    double custo, valor;
    QVariant fornecedor;
    QList<QPair<double, double>> moves; // entrada, saida
};

// Groups 0 (unreadable classe), 1, 2, 12 (stored both as '12' and '0012') and
// 12345; group 50 has no product.
const QList<Product> &fixture()
{
    static const QList<Product> products = {
        {"000001", "ARRUELA", "1", 2.5, 9876.54, 7, {{10, 0}}},
        {"000002", "PARAFUSO", "1", 1, 3, QVariant(), {}},
        {"000003", "PORCA", "2", 4, 10, 8, {{5, 0}, {0, 8}}},
        {"000004", "   ", "1", 1, 1, 1, {{100, 0}}},
        {"  ", "SEM CODIGO", "1", 1, 1, 1, {}},
        {"000006", "CORRENTE", "12", 1, 2.005, 9, {{1000, 0}}},
        {"000007", "ZINCO", "0012", 3, 7, 9, {{1, 0}, {0, 1}}},
        {"000008", "BROCA", "1", 0, 9876.5, 7, {}},
        {"000009", "CABO", "X", 1, 1, 3, {{2, 0}}},
        {"000010", "GANCHO", "12345", 1, 1, 3, {{1, 0}}},
    };
    return products;
}

int s_id = 0;

void insertProduct(TLOGON &logon, const Product &p)
{
    const int id = ++s_id;
    logon.runStatement(QStringLiteral("insert into produtos (id,codigo,nome,classe,custo,valor,fornecedor,"
                                      "estgeral,estoque,entrada,saida) values (%1,%2,%3,%4,%5,%6,%7,5,5,5,5)")
                           .arg(id)
                           .arg(QuoteSql(p.codigo), QuoteSql(p.nome), QuoteSql(p.classe), QuoteSql(SqlNumber(p.custo)),
                                QuoteSql(SqlNumber(p.valor)),
                                p.fornecedor.isNull() ? QStringLiteral("null") : QuoteSql(p.fornecedor.toString())),
                       false);
    for (const auto &m : p.moves)
        logon.runStatement(QStringLiteral("insert into estfic (id,codigo,data,historico,entrada,saida) values "
                                          "(%1,%2,'03/01/2026','MOV',%3,%4)")
                               .arg(++s_id)
                               .arg(QuoteSql(p.codigo), QuoteSql(SqlNumber(m.first)), QuoteSql(SqlNumber(m.second))),
                           false);
}

void fill(TLOGON &logon)
{
    const QList<QPair<int, QString>> groups = {
        {1, "FERRAGENS"}, {2, "FIXACAO"}, {12, "CORRENTES"}, {50, "VAZIO"}, {12345, "GRANDE"}};
    for (const auto &g : groups)
        logon.runStatement(QStringLiteral("insert into tipos (id,codigo,nome) values (%1,%2,%3)")
                               .arg(++s_id)
                               .arg(QuoteSql(QString::number(g.first)), QuoteSql(g.second)),
                           false);
    for (const Product &p : fixture())
        insertProduct(logon, p);
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList pdfPages(const QString &pdf)
{
    QStringList pages = run("pdftotext", {"-layout", pdf, "-"}).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

template <typename T>
T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("no %s", name);
    return c;
}

void chooseGroup(TFormImpRap &w, const QString &prefix)
{
    auto *combo = child<QComboBox>(w, "ComboBox1");
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).startsWith(prefix))
            combo->setCurrentIndex(i);
}

// Presses "&Imprimir" with the preview answered: keeps its pages, and saves
// them as a PDF when asked.
ReportDocument print(TFormImpRap &w, const QString &pdf = QString())
{
    ReportDocument doc;
    Dialogs::queueModal([&](QDialog *dialog) {
        auto *preview = qobject_cast<ReportPreview *>(dialog);
        if (!preview)
            return;
        doc = preview->document();
        if (!pdf.isEmpty()) {
            Dialogs::queueText(pdf);
            preview->findChild<QPushButton *>("PreviewSave")->click();
        }
        preview->findChild<QPushButton *>("PreviewClose")->click();
    });
    child<QPushButton>(w, "BitBtn1")->click();
    return doc;
}

// "codigo nome estgeral classe" per work-table row.
QStringList tableRows(const TFormImpRap &w)
{
    QStringList out;
    const WorkTable &t = w.workTable();
    for (int r = 0; r < t.rowCount(); ++r)
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(t.text(r, "Codigo"), t.text(r, "Nome"))
                   .arg(t.number(r, "EstGeral"))
                   .arg(t.text(r, "Classe"));
    return out;
}

// The printed lines of some kind of band, their cells joined by "|".
QStringList printed(const ReportDocument &doc, ReportBand::Kind kind)
{
    QStringList out;
    for (const ReportLine &line : doc.lines()) {
        if (line.kind != kind)
            continue;
        QStringList cells;
        for (const auto &c : line.cells)
            cells << c.text;
        out << cells.join('|');
    }
    return out;
}

} // namespace

class TestStockPosition : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Dialogs::resetTest();
        Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(14, 30, 0)));
    }
    void cleanup() { Clock::setFixed(QDateTime()); }

    void windowAsOpened();
    void statements_data();
    void statements();
    void rows_data();
    void rows();
    void printedCells_data();
    void printedCells();
    void groupAndGrandTotals();
    void everyPrintZeroesTheStoredColumns();
    void pdfLayout();
    void everyPageCarriesTheHeaders();
    void emptySelectionIsOnePageWithZeroTotals();
    void printingTwiceGivesTheSameTotals();
    void printerChoicePrintsWithoutPreview();
    void progressFollowsTheFormula();
    void failedQueryLeavesThePrintButtonUsable();
    void closingClosesTheSharedQueries();
};

void TestStockPosition::windowAsOpened()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    QCOMPARE(w.windowTitle(), QString(".: Estoque Atual - Impressão Rapida :."));
    QCOMPARE(child<QLabel>(w, "TitleStrip")->text(), QString("Posição atual do Estoque"));
    auto *combo = child<QComboBox>(w, "ComboBox1");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, QStringList({"0000 - Todos", "0001 - FERRAGENS", "0002 - FIXACAO", "0012 - CORRENTES",
                                 "0050 - VAZIO", "12345 - GRANDE"}));
    QCOMPARE(combo->currentIndex(), 0);
    QVERIFY(child<QRadioButton>(w, "OpcaoVideo")->isChecked());
    QCOMPARE(child<QRadioButton>(w, "OpcaoImpressora")->text(), QString("Impressora"));
    QCOMPARE(child<QGroupBox>(w, "Opcao")->title(), QString("| Opção |"));
    QVERIFY(child<QRadioButton>(w, "RadioButton2")->isChecked());
    QCOMPARE(child<QRadioButton>(w, "RadioButton2")->text(), QString("Valor de venda"));
    QCOMPARE(child<QRadioButton>(w, "RadioButton1")->text(), QString("Valor de custo"));
    QVERIFY(child<QRadioButton>(w, "RadioButton3")->isChecked());
    QCOMPARE(child<QRadioButton>(w, "RadioButton3")->text(), QString("Todos os Prrodutos"));
    QCOMPARE(child<QRadioButton>(w, "RadioButton4")->text(), QString("Somente com estoque"));
    QCOMPARE(child<QPushButton>(w, "BitBtn1")->text(), QString("&Imprimir"));
    QCOMPARE(child<QPushButton>(w, "BitBtn2")->text(), QString("&Retorna"));
    QCOMPARE(child<QPushButton>(w, "BitBtn2")->toolTip(), QString("Retornar ao menu principal"));
    QCOMPARE(child<QProgressBar>(w, "ProgressBar1")->maximum(), 100);
}

void TestStockPosition::statements_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("products");
    QTest::newRow("all") << "0000" << "select * from produtos";
    // The list shows 0012, the registry stores 12: both are asked for.
    QTest::newRow("leading zeros") << "0012" << "select * from produtos where classe ='0012' or classe ='12'";
    QTest::newRow("code above 9999, whole") << "12345" << "select * from produtos where classe ='12345'";
}

void TestStockPosition::statements()
{
    QFETCH(QString, group);
    QFETCH(QString, products);
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    chooseGroup(w, group);
    logon->setRecording(true);
    print(w);
    QStringList sql = logon->takeStatements();
    QCOMPARE(sql.mid(0, 4),
             QStringList({"update produtos set estgeral = '0',estoque = '0',entrada = '0',saida = '0'", products,
                          "select codigo,SUM(entrada) as eent, SUM(saida) as esai from estfic  group by codigo",
                          "Select * from empresa"}));
    // Then the name of each group printed, one lookup per group.
    for (const QString &s : sql.mid(4))
        QVERIFY2(s.startsWith("select * from tipos where codigo = '"), qPrintable(s));
}

void TestStockPosition::rows_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("onlyWithStock");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("all, by group then name")
        << "0000" << false
        << QStringList({"000009 CABO 2 0", "000001 ARRUELA 10 1", "000008 BROCA 0 1", "000002 PARAFUSO 0 1",
                        "000003 PORCA -3 2", "000006 CORRENTE 1000 12", "000007 ZINCO 0 12",
                        "000010 GANCHO 1 12345"});
    QTest::newRow("group stored as 12 and as 0012")
        << "0012" << false << QStringList({"000006 CORRENTE 1000 12", "000007 ZINCO 0 12"});
    QTest::newRow("group above 9999") << "12345" << false << QStringList({"000010 GANCHO 1 12345"});
    QTest::newRow("group without products") << "0050" << false << QStringList();
    QTest::newRow("only with stock keeps negative stock")
        << "0000" << true
        << QStringList({"000009 CABO 2 0", "000001 ARRUELA 10 1", "000003 PORCA -3 2", "000006 CORRENTE 1000 12",
                        "000010 GANCHO 1 12345"});
}

void TestStockPosition::rows()
{
    QFETCH(QString, group);
    QFETCH(bool, onlyWithStock);
    QFETCH(QStringList, expected);
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    chooseGroup(w, group);
    if (onlyWithStock)
        child<QRadioButton>(w, "RadioButton4")->click();
    print(w);
    QCOMPARE(tableRows(w), expected);
    // Each listed row carries its product's prices and supplier.
    const WorkTable &t = w.workTable();
    for (int r = 0; r < t.rowCount(); ++r) {
        if (t.text(r, "Codigo") == "000001") {
            QCOMPARE(t.number(r, "Custo"), 2.5);
            QCOMPARE(t.number(r, "Valor"), 9876.54);
            QCOMPARE(t.integer(r, "fornecedor"), 7);
        }
        if (t.text(r, "Codigo") == "000002")
            QVERIFY(t.value(r, "fornecedor").isNull());
    }
}

void TestStockPosition::printedCells_data()
{
    QTest::addColumn<bool>("cost");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("expected");
    // Codigo | Nome | fornecedor | ATUAL | price | TOTAL
    QTest::newRow("cost 2,5 prints 2,50") << true << "000001" << "000001|ARRUELA|7|10,00|2,50|25,00";
    QTest::newRow("sale price, no grouping; total grouped")
        << false << "000001" << "000001|ARRUELA|7|10,00|9876,54|98.765,40";
    QTest::newRow("sale price 9876,5 prints 9876,50") << false << "000008" << "000008|BROCA|7|0,00|9876,50|0,00";
    QTest::newRow("no movement lists 0,00") << false << "000002" << "000002|PARAFUSO|0,00|3,00|0,00";
    QTest::newRow("more exits than entries") << false << "000003" << "000003|PORCA|8|-3,00|10,00|-30,00";
    QTest::newRow("negative at cost") << true << "000003" << "000003|PORCA|8|-3,00|4,00|-12,00";
    // 2,005 prints 2,01 and 1000 x 2,01 is what the reader checks, not 2.005,00.
    QTest::newRow("total uses the price as printed")
        << false << "000006" << "000006|CORRENTE|9|1000,00|2,01|2.010,00";
}

void TestStockPosition::printedCells()
{
    QFETCH(bool, cost);
    QFETCH(QString, codigo);
    QFETCH(QString, expected);
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    child<QRadioButton>(w, cost ? "RadioButton1" : "RadioButton2")->click();
    const ReportDocument doc = print(w);
    const QStringList captions = printed(doc, ReportBand::Kind::ColumnHeader);
    QCOMPARE(captions.value(0), QString(cost ? "CODIGO|PRODUTO|FORNECEDOR|ATUAL|CUSTO|TOTAL"
                                             : "CODIGO|PRODUTO|FORNECEDOR|ATUAL|VENDA|TOTAL"));
    QStringList lines = printed(doc, ReportBand::Kind::Detail).filter(QRegularExpression("^" + codigo + "\\|"));
    QCOMPARE(lines, QStringList({expected}));
    // Blank names and codes are never listed, movements or not.
    QVERIFY(printed(doc, ReportBand::Kind::Detail).filter("000004").isEmpty());
    QVERIFY(printed(doc, ReportBand::Kind::Detail).filter("SEM CODIGO").isEmpty());
}

void TestStockPosition::groupAndGrandTotals()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    const ReportDocument doc = print(w);
    QCOMPARE(printed(doc, ReportBand::Kind::GroupHeader),
             QStringList({"GRUPO/FAMILIA: |0", "GRUPO/FAMILIA: |1|FERRAGENS", "GRUPO/FAMILIA: |2|FIXACAO",
                          "GRUPO/FAMILIA: |12|CORRENTES", "GRUPO/FAMILIA: |12345|GRANDE"}));
    // The negative stock of group 2 reduces its total and the grand total.
    QCOMPARE(printed(doc, ReportBand::Kind::GroupFooter),
             QStringList({"TOTAL |2,00", "TOTAL |98.765,40", "TOTAL |-30,00", "TOTAL |2.010,00", "TOTAL |1,00"}));
    QCOMPARE(printed(doc, ReportBand::Kind::Summary), QStringList({"TOTAL GERAL|100.748,40"}));
}

void TestStockPosition::everyPrintZeroesTheStoredColumns()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    const QString stored = "select count(*) from produtos where estgeral <> 0 or estoque <> 0 "
                           "or entrada <> 0 or saida <> 0";
    QCOMPARE(scalar(*logon, stored).toInt(), fixture().size());
    TFormImpRap w;
    chooseGroup(w, "0002"); // one group printed, every product cleared
    print(w);
    QCOMPARE(scalar(*logon, stored).toInt(), 0);
    QCOMPARE(scalar(*logon, "select count(*) from produtos where estgeral is null").toInt(), 0);
}

void TestStockPosition::pdfLayout()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    logon->runStatement("update empresa set cnpj = '12.345.678/0001-90'", false);
    const QString company = scalar(*logon, "select empresa from empresa").toString();
    TFormImpRap w;
    const QString pdf = root.root() + "/posicao.pdf";
    print(w, pdf);
    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    const QString page = pages.first();
    auto at = [&](const QString &pattern) {
        const QRegularExpressionMatch m = QRegularExpression(pattern).match(page);
        return m.hasMatch() ? m.capturedStart() : -1;
    };
    const QStringList inOrder = {
        "Controle de Estoque - Estoque",
        "EMPRESA\\s+" + QRegularExpression::escape(company),
        "ENDEREÇO\\s+\\S",
        "CIDADE\\s+\\S.*ESTADO\\s+\\S",
        "CNPJ\\s+12\\.345\\.678/0001-90\\s+DATA\\s+05/03/26 14:30:00",
        "CODIGO\\s+PRODUTO\\s+FORNECEDOR\\s+ATUAL\\s+VENDA\\s+TOTAL",
        "GRUPO/FAMILIA:\\s+0\\s*\\n",
        "000009\\s+CABO\\s+3\\s+2,00\\s+1,00\\s+2,00",
        "TOTAL\\s+2,00",
        "GRUPO/FAMILIA:\\s+1\\s+FERRAGENS",
        "000001\\s+ARRUELA\\s+7\\s+10,00\\s+9876,54\\s+98\\.765,40",
        "000008\\s+BROCA",
        "000002\\s+PARAFUSO\\s+0,00\\s+3,00\\s+0,00",
        "TOTAL\\s+98\\.765,40",
        "GRUPO/FAMILIA:\\s+2\\s+FIXACAO",
        "000003\\s+PORCA\\s+8\\s+-3,00\\s+10,00\\s+-30,00",
        "TOTAL\\s+-30,00",
        "GRUPO/FAMILIA:\\s+12\\s+CORRENTES",
        "TOTAL\\s+2\\.010,00",
        "GRUPO/FAMILIA:\\s+12345\\s+GRANDE",
        "TOTAL GERAL\\s+100\\.748,40",
    };
    int last = -1;
    for (const QString &pattern : inOrder) {
        const int pos = at(pattern);
        QVERIFY2(pos > last, qPrintable(pattern + "\n" + page));
        last = pos;
    }
}

void TestStockPosition::everyPageCarriesTheHeaders()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    for (int i = 0; i < 150; ++i)
        insertProduct(*logon, {QStringLiteral("1%1").arg(i, 5, 10, QLatin1Char('0')),
                               QStringLiteral("ITEM %1").arg(i, 3, 10, QLatin1Char('0')), "2", 1, 1, 1, {{1, 0}}});
    TFormImpRap w;
    const QString pdf = root.root() + "/longo.pdf";
    const ReportDocument doc = print(w, pdf);
    const QStringList pages = pdfPages(pdf);
    QVERIFY(pages.size() >= 3);
    QCOMPARE(pages.size(), doc.pageCount());
    for (const QString &page : pages) {
        QVERIFY(page.contains("Controle de Estoque - Estoque"));
        QVERIFY(page.contains(QRegularExpression("EMPRESA\\s+\\S")));
        QVERIFY(page.contains(QRegularExpression("CODIGO\\s+PRODUTO\\s+FORNECEDOR\\s+ATUAL\\s+VENDA\\s+TOTAL")));
    }
    QVERIFY(pages.last().contains(QRegularExpression("TOTAL GERAL\\s+100\\.898,40")));
    for (int p = 0; p + 1 < pages.size(); ++p)
        QVERIFY(!pages[p].contains("TOTAL GERAL"));
}

void TestStockPosition::emptySelectionIsOnePageWithZeroTotals()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    chooseGroup(w, "0050");
    const QString pdf = root.root() + "/vazio.pdf";
    const ReportDocument doc = print(w, pdf);
    QVERIFY(printed(doc, ReportBand::Kind::GroupHeader).isEmpty());
    QVERIFY(printed(doc, ReportBand::Kind::GroupFooter).isEmpty());
    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].contains("Controle de Estoque - Estoque"));
    QVERIFY(pages[0].contains(QRegularExpression("CODIGO\\s+PRODUTO")));
    QVERIFY(pages[0].contains(QRegularExpression("TOTAL GERAL\\s+0,00")));
    QVERIFY(!pages[0].contains("GRUPO/FAMILIA"));
}

void TestStockPosition::printingTwiceGivesTheSameTotals()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    const ReportDocument first = print(w);
    const ReportDocument second = print(w);
    QCOMPARE(printed(second, ReportBand::Kind::Summary), QStringList({"TOTAL GERAL|100.748,40"}));
    QCOMPARE(printed(second, ReportBand::Kind::GroupFooter), printed(first, ReportBand::Kind::GroupFooter));
    QCOMPARE(printed(second, ReportBand::Kind::Detail), printed(first, ReportBand::Kind::Detail));
    QCOMPARE(w.workTable().rowCount(), 8); // rebuilt, not appended to
    QVERIFY(child<QPushButton>(w, "BitBtn1")->isEnabled());
}

void TestStockPosition::printerChoicePrintsWithoutPreview()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    child<QRadioButton>(w, "OpcaoImpressora")->click();
    child<QPushButton>(w, "BitBtn1")->click();
    const QList<Dialogs::Shown> shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1); // a message, no preview
    QCOMPARE(shown[0].kind, QString("message"));
    const QString pdf = shown[0].text.section('\n', -1);
    QVERIFY(pdf.startsWith(root.install() + "/Relatorios/"));
    QVERIFY(pdfPages(pdf).value(0).contains(QRegularExpression("TOTAL GERAL\\s+100\\.748,40")));
}

void TestStockPosition::progressFollowsTheFormula()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    auto *bar = child<QProgressBar>(w, "ProgressBar1");
    print(w);
    QCOMPARE(bar->value(), 100);
    // One product: the formula divides by zero and the bar is not moved.
    chooseGroup(w, "0002");
    print(w);
    QCOMPARE(bar->value(), 0);
}

void TestStockPosition::failedQueryLeavesThePrintButtonUsable()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    logon->runStatement("alter table estfic alter column saida to saidas", false);
    child<QPushButton>(w, "BitBtn1")->click();
    const QList<Dialogs::Shown> shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("error"));
    QVERIFY2(shown[0].text.contains("SAIDA"), qPrintable(shown[0].text));
    QVERIFY(child<QPushButton>(w, "BitBtn1")->isEnabled());
}

void TestStockPosition::closingClosesTheSharedQueries()
{
    TestRoot root;
    auto logon = root.connect();
    fill(*logon);
    TFormImpRap w;
    print(w);
    QVERIFY(logon->Produtos.active());
    QVERIFY(logon->Pesquisa.active());
    child<QPushButton>(w, "BitBtn2")->click();
    QVERIFY(!logon->Produtos.active());
    QVERIFY(!logon->Pesquisa.active());
}

TAMBLO_TEST_MAIN(TestStockPosition)
#include "tst_stockposition.moc"
