// The pick windows for products, customers and suppliers.
#include "tests/support/TestEnv.h"

#include "data/DataGrid.h"
#include "data/Globals.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "registries/TFormBusca.h"
#include "registries/TFormBuscaForne.h"
#include "registries/TFormLcPro.h"
#include "ui/Dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>
#include <memory>

namespace {

void addProduct(TLOGON &logon, const QString &code, const QString &name, double price = 0)
{
    logon.runStatement("insert into produtos (id, codigo, nome, valor) values (GEN_ID(PRODUTO,1), "
                           + QuoteSql(code) + ", " + QuoteSql(name) + ", " + QuoteSql(SqlNumber(price)) + ")",
                       false);
}

void addPerson(TLOGON &logon, const QString &table, int code, const QString &name, const QString &address)
{
    logon.runStatement("insert into " + table + " (id, codigo, nome, endereco, cnpj) values (GEN_ID(CLIENTE,1), "
                           + QuoteSql(QString::number(code)) + ", " + QuoteSql(name) + ", " + QuoteSql(address)
                           + ", '12.345.678/0001-90')",
                       false);
}

// Three rows per register whose name order differs from their insertion order:
// in name order the second row is always code 2 (products 000002).
void addThreeOfEach(TLOGON &logon)
{
    addProduct(logon, "000003", "GAMA");
    addProduct(logon, "000001", "ALFA");
    addProduct(logon, "000002", "BETA");
    for (const QString table : {"clientes", "fornecedor"}) {
        addPerson(logon, table, 3, "GAMA", "RUA C");
        addPerson(logon, table, 1, "ALFA", "RUA A");
        addPerson(logon, table, 2, "BETA", "RUA B");
    }
}

std::unique_ptr<PickWindow> makeWindow(const QString &which)
{
    if (which == "produto")
        return std::make_unique<TFormLcPro>();
    if (which == "cliente")
        return std::make_unique<TFormBusca>();
    return std::make_unique<TFormBuscaForne>();
}

// Shows the window modally and lets the handler act as the operator inside it.
void runModal(PickWindow &window, const std::function<void(PickWindow &)> &operate)
{
    Dialogs::queueModal([&](QDialog *) { operate(window); });
    Dialogs::execModal(&window);
}

QStringList column(const PickWindow &window, const QString &field)
{
    QStringList out;
    for (int r = 0; r < window.list()->count(); ++r)
        out << window.list()->valueAt(r, field).toString();
    return out;
}

QStringList shownKinds()
{
    QStringList kinds;
    for (const Dialogs::Shown &s : Dialogs::takeShown())
        kinds << s.kind;
    return kinds;
}

} // namespace

class TestPick : public QObject
{
    Q_OBJECT
private slots:
    void productOpening();
    void openingStatements_data();
    void openingStatements();
    void typing_data();
    void typing();
    void productKindChoiceSearchesAgain();
    void customerKindChoiceWaitsForKeystroke();
    void closing_data();
    void closing();
    void enterInBoxMovesToGrid();
    void failedSearch_data();
    void failedSearch();
};

void TestPick::productOpening()
{
    TestRoot root;
    auto logon = root.connect();
    // 30 products inserted out of name order.
    QStringList names;
    for (int i = 0; i < 30; ++i) {
        const int n = (i * 7) % 30;
        addProduct(*logon, QString("%1").arg(n + 1, 6, 10, QChar('0')), QString("ITEM %1").arg(n, 2, 10, QChar('0')),
                   n + 0.5);
    }
    for (int n = 0; n < 20; ++n)
        names << QString("ITEM %1").arg(n, 2, 10, QChar('0'));

    TFormLcPro window;
    QCOMPARE(window.windowTitle(), QString("Localiza Produto"));
    QCOMPARE(column(window, "NOME"), names);

    auto *grid = window.findChild<DataGrid *>("DBGrid1");
    QVERIFY(grid);
    QAbstractItemModel *model = grid->model();
    QCOMPARE(model->rowCount(), 20);
    QCOMPARE(model->columnCount(), 3);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("CODIGO"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("NOME"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QString("VALOR"));
    QCOMPARE(model->index(3, 2).data().toString(), QString("3,50"));

    // The current row's code and name above the grid follow the grid.
    auto *code = window.findChild<QLabel *>("DBText1");
    auto *name = window.findChild<QLabel *>("DBText2");
    QCOMPARE(code->text(), QString("000001"));
    QCOMPARE(name->text(), QString("ITEM 00"));
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(code->text(), QString("000003"));
    QCOMPARE(name->text(), QString("ITEM 02"));
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestPick::openingStatements_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("produto") << "produto" << "Select  first 20 * from Produtos \norder by nome" << "Digite" << ""
                             << QStringList{"CODIGO", "NOME", "VALOR"};
    QTest::newRow("cliente") << "cliente" << "Select First 20 * from clientes  order by nome"
                             << "Digite Pesquisar" << "Digite o nome ou somente parte dele"
                             << QStringList{"CODIGO", "NOME", "ENDERECO", "CNPJ"};
    QTest::newRow("fornecedor") << "fornecedor" << "Select First 20 * from Fornecedor  order by nome"
                                << "Digite Pesquisar" << "Digite o nome ou somente parte dele"
                                << QStringList{"CODIGO", "NOME", "ENDERECO", "CNPJ"};
}

void TestPick::openingStatements()
{
    QFETCH(QString, which);
    QFETCH(QString, statement);
    QFETCH(QString, label);
    QFETCH(QString, hint);
    QFETCH(QStringList, captions);
    TestRoot root;
    auto logon = root.connect();
    addThreeOfEach(*logon);
    logon->setRecording(true);
    auto window = makeWindow(which);
    QCOMPARE(logon->takeStatements(), QStringList{statement});
    QCOMPARE(column(*window, "NOME"), (QStringList{"ALFA", "BETA", "GAMA"}));
    QCOMPARE(window->findChild<QLabel *>("Label1")->text(), label);
    QCOMPARE(window->searchBox()->toolTip(), hint);
    QStringList shownCaptions;
    for (int c = 0; c < window->grid()->model()->columnCount(); ++c)
        shownCaptions << window->grid()->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(shownCaptions, captions);
}

void TestPick::typing_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("rows");

    QTest::newRow("produto letra") << "produto" << 0 << "a"
                                   << "SELECT first 25 * FROM PRODUTOS WHERE NOME LIKE '%A%'" << "NOME" << 25;
    QTest::newRow("produto apostrofo") << "produto" << 0 << "o'brien"
                                       << "SELECT first 25 * FROM PRODUTOS WHERE NOME LIKE '%O''BRIEN%'" << "NOME" << 1;
    QTest::newRow("produto codigo") << "produto" << 1 << "12"
                                    << "SELECT first 25 * FROM PRODUTOS WHERE CODIGO LIKE '%12%'" << "CODIGO" << 3;
    QTest::newRow("cliente nome") << "cliente" << 0 << "silva"
                                  << "SELECT first 25 * FROM Clientes WHERE NOME LIKE '%SILVA%'" << "NOME" << 2;
    QTest::newRow("cliente endereco") << "cliente" << 1 << "flores"
                                      << "SELECT first 25 * FROM clientes WHERE Endereco LIKE '%FLORES%'" << "ENDERECO"
                                      << 1;
    QTest::newRow("cliente apostrofo") << "cliente" << 0 << "d'avila"
                                       << "SELECT first 25 * FROM Clientes WHERE NOME LIKE '%D''AVILA%'" << "NOME" << 1;
    QTest::newRow("fornecedor nome") << "fornecedor" << 0 << "silva"
                                     << "SELECT first 25 * FROM fornecedor WHERE NOME LIKE '%SILVA%'" << "NOME" << 2;
}

void TestPick::typing()
{
    QFETCH(QString, which);
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(QString, statement);
    QFETCH(QString, field);
    QFETCH(int, rows);
    TestRoot root;
    auto logon = root.connect();
    // More names with an A than one search shows; three codes holding 12.
    for (int i = 1; i <= 30; ++i)
        addProduct(*logon, QString("%1").arg(i, 6, 10, QChar('0')), QString("PARAFUSO %1").arg(i));
    addProduct(*logon, "001234", "PORCA");
    addProduct(*logon, "120000", "O'BRIEN CHAVE");
    for (const QString table : {"clientes", "fornecedor"}) {
        addPerson(*logon, table, 1, "JOSE SILVA", "RUA DAS FLORES 10");
        addPerson(*logon, table, 2, "MARIA DA SILVA", "AV SETE 3");
        addPerson(*logon, table, 3, "PEDRO D'AVILA", "RUA CHILE 1");
    }
    auto window = makeWindow(which);
    if (kind > 0) {
        window->findChild<QRadioButton *>(QString("RadioGroup1_%1").arg(kind))->click();
        QCOMPARE(window->kind(), kind);
    }
    logon->setRecording(true);
    QTest::keyClicks(window->searchBox(), typed);
    QCOMPARE(window->searchBox()->text(), typed.toUpper());
    const QStringList statements = logon->takeStatements();
    // One search per keystroke, the last one on the whole text.
    QCOMPARE(statements.size(), typed.size());
    QCOMPARE(statements.last(), statement);
    QCOMPARE(window->list()->count(), rows);
    for (const QString &value : column(*window, field))
        QVERIFY2(value.contains(typed.toUpper()), qPrintable(value));
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestPick::productKindChoiceSearchesAgain()
{
    TestRoot root;
    auto logon = root.connect();
    addProduct(*logon, "000012", "ARRUELA");
    addProduct(*logon, "000034", "BUCHA 12");
    TFormLcPro window;
    QTest::keyClicks(window.searchBox(), "bu");
    QCOMPARE(column(window, "CODIGO"), QStringList{"000034"});
    logon->setRecording(true);
    window.findChild<QRadioButton *>("RadioGroup1_1")->click();
    QVERIFY(window.searchBox()->text().isEmpty());
    QCOMPARE(logon->takeStatements(), QStringList{"SELECT first 25 * FROM PRODUTOS WHERE CODIGO LIKE '%%'"});
    QCOMPARE(window.list()->count(), 2);
    // With the box already empty, going back to names still follows the choice.
    window.findChild<QRadioButton *>("RadioGroup1_0")->click();
    QCOMPARE(logon->takeStatements(), QStringList{"SELECT first 25 * FROM PRODUTOS WHERE NOME LIKE '%%'"});
    QTest::keyClicks(window.searchBox(), "12");
    QCOMPARE(column(window, "CODIGO"), QStringList{"000034"});
}

void TestPick::customerKindChoiceWaitsForKeystroke()
{
    TestRoot root;
    auto logon = root.connect();
    addPerson(*logon, "clientes", 1, "ANA", "RUA B");
    addPerson(*logon, "clientes", 2, "BRUNO", "AV A");
    TFormBusca window;
    QTest::keyClicks(window.searchBox(), "b");
    QCOMPARE(column(window, "NOME"), QStringList{"BRUNO"});
    logon->setRecording(true);
    window.findChild<QRadioButton *>("RadioGroup1_1")->click();
    QCOMPARE(window.searchBox()->text(), QString("B"));
    QVERIFY(logon->takeStatements().isEmpty());
    QCOMPARE(column(window, "NOME"), QStringList{"BRUNO"});
    QTest::keyClick(window.searchBox(), Qt::Key_Backspace);
    QTest::keyClicks(window.searchBox(), "rua");
    QCOMPARE(logon->takeStatements().last(),
             QString("SELECT first 25 * FROM clientes WHERE Endereco LIKE '%RUA%'"));
    QCOMPARE(column(window, "NOME"), QStringList{"ANA"});
}

void TestPick::closing_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    const char *codes[][2] = {{"produto", "000002"}, {"cliente", "2"}, {"fornecedor", "2"}};
    for (const auto &c : codes) {
        for (const char *way : {"fechar", "enter", "duplo clique"})
            QTest::addRow("%s %s", c[0], way) << c[0] << way << "" << c[1];
        QTest::addRow("%s lista vazia", c[0]) << c[0] << "fechar" << "zzz" << "";
    }
}

void TestPick::closing()
{
    QFETCH(QString, which);
    QFETCH(QString, way);
    QFETCH(QString, typed);
    QFETCH(QString, code);
    TestRoot root;
    auto logon = root.connect();
    addThreeOfEach(*logon);
    SelectedCode = "999";
    auto window = makeWindow(which);
    runModal(*window, [&](PickWindow &w) {
        QTest::keyClicks(w.searchBox(), typed);
        DataGrid *grid = w.grid();
        QTest::keyClick(grid, Qt::Key_Down); // the second row
        if (way == "fechar") {
            w.close();
        } else if (way == "enter") {
            QTest::keyClick(grid, Qt::Key_Return);
        } else {
            const QRect cell = grid->visualRect(grid->model()->index(1, 1));
            // A view takes a double click only on the row its first click pressed.
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        }
        QVERIFY(!w.isVisible());
    });
    QCOMPARE(SelectedCode, code);
    if (which == "produto")
        QVERIFY(!logon->Pesquisa.active()); // the product list is closed with the window
}

void TestPick::enterInBoxMovesToGrid()
{
    TestRoot root;
    auto logon = root.connect();
    addThreeOfEach(*logon);
    for (const QString which : {"produto", "cliente", "fornecedor"}) {
        auto window = makeWindow(which);
        runModal(*window, [&](PickWindow &w) {
            QTest::keyClicks(w.searchBox(), "a");
            QTest::keyClick(w.searchBox(), Qt::Key_Return);
            QVERIFY(w.isVisible());
            QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.grid()));
            w.close();
        });
    }
}

void TestPick::failedSearch_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("produto silencioso") << "produto" << QStringList{};
    QTest::newRow("cliente mostra o erro") << "cliente" << QStringList{"error"};
    QTest::newRow("fornecedor mostra o erro") << "fornecedor" << QStringList{"error"};
}

void TestPick::failedSearch()
{
    QFETCH(QString, which);
    QFETCH(QStringList, shown);
    TestRoot root;
    auto logon = root.connect();
    addThreeOfEach(*logon);
    auto window = makeWindow(which);
    QTest::keyClicks(window->searchBox(), "b");
    QCOMPARE(column(*window, "NOME"), QStringList{"BETA"});
    // The connection drops: every statement now fails.
    logon->database().close();
    QTest::keyClicks(window->searchBox(), "e");
    QCOMPARE(shownKinds(), shown);
    // The list still shows what the last search found.
    QCOMPARE(column(*window, "NOME"), QStringList{"BETA"});
}

TAMBLO_TEST_MAIN(TestPick)
#include "tst_pick.moc"
