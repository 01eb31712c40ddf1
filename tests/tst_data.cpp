// The data module against a real database made fresh for each case.
#include "tests/support/TestEnv.h"

#include "data/Clock.h"
#include "data/Globals.h"
#include "data/Schema.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"
#include "ui/Errors.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QLabel>
#include <QPushButton>
#include <QDialog>

class TestData : public QObject
{
    Q_OBJECT
private slots:
    void installedDatabase();
    void keysPickTheirQuery_data();
    void keysPickTheirQuery();
    void modes();
    void tableQueryNeedsEveryListedColumn();
    void closeSharedQueriesOnClosedQueries();
    void nextIdAdvancesByOne();
    void appendLogRow();
    void literals_data();
    void literals();
    void sqlDateRejectsNonDates();
    void displayFieldsLookUpByCode();
    void setupFile_data();
    void setupFile();
    void unreachableServerOffersLocalFile();
    void abortEndsTheStart();
    void failedWriteRaisesDatabaseError();
};

void TestData::installedDatabase()
{
    TestRoot root;
    auto logon = root.connect();
    QVERIFY(logon->connected());
    // Every table with every column in its order, as the catalogue holds them.
    for (const QString &table : Schema::tables()) {
        const TLOGON::Result r = logon->runStatement(
            QStringLiteral("select trim(rdb$field_name) from rdb$relation_fields where rdb$relation_name = '%1' "
                           "order by rdb$field_position").arg(table.toUpper()), true);
        QStringList columns;
        for (const auto &row : r.rows)
            columns << row.at(0).toString().trimmed();
        QCOMPARE(columns, Schema::columns(table));
    }
    QCOMPARE(Schema::columns("produtos").size(), 34);
    QCOMPARE(Schema::columns("clientes").size(), 41);
    QCOMPARE(scalar(*logon, "select count(*) from geraid").toInt(), 1);
    QCOMPARE(scalar(*logon, "select count(*) from empresa").toInt(), 1);
    QCOMPARE(scalar(*logon, "select empresa from empresa").toString(), QString("LOJA TESTE"));
    const TLOGON::Result user = logon->runStatement("select nome, senha, master, codvend from kestrum", true);
    QCOMPARE(user.rows.size(), 1);
    QCOMPARE(user.rows[0][0].toString(), QString("KESTRUM"));
    QCOMPARE(user.rows[0][1].toString(), QString("7358"));
    QCOMPARE(user.rows[0][2].toString(), QString("S"));
    QCOMPARE(user.rows[0][3].toInt(), 127);
    for (const char *gen : {"PRODUTO", "OUTROS", "GENERO", "FORNE", "CLIENTE", "ESTFIC", "COMPRAS",
                            "KITMASTER", "KITPROD", "SENHA", "LOGS", "FORPROD"})
        QVERIFY2(logon->NextId(gen) >= 1, gen);
}

void TestData::keysPickTheirQuery_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("query");
    QTest::newRow("exact") << "atualiza" << "Atualiza";
    QTest::newRow("misspelt") << "Atualzia" << "Atualiza";
    QTest::newRow("upper") << "PRODUTOS" << "Produtos";
    QTest::newRow("mixed") << "Produtos" << "Produtos";
    QTest::newRow("kestrum") << "Kestrum" << "KESTRUM";
    QTest::newRow("pesquisa") << "pesquisa" << "Pesquisa";
    QTest::newRow("genero") << "GENERO" << "Genero";
    QTest::newRow("navegar") << "navegar" << "Navegar";
    QTest::newRow("empty") << "" << "Atualiza";
}

void TestData::keysPickTheirQuery()
{
    QFETCH(QString, key);
    QFETCH(QString, query);
    TestRoot root;
    auto logon = root.connect();
    QCOMPARE(logon->query(key).name(), query);
    SharedQuery &q = logon->query(query);
    const QString statement = q.table().isEmpty() ? "select * from kestrum" : "select * from " + q.table();
    logon->RunOnQuery(key, statement, "open");
    QVERIFY(q.active());
    QCOMPARE(q.sql(), statement);
}

void TestData::modes()
{
    TestRoot root;
    auto logon = root.connect();
    logon->RunOnQuery("atualiza", "insert into tipos (id, codigo, nome) values (GEN_ID(OUTROS,1), '7', 'FERRAGENS')", "Exec");
    QCOMPARE(scalar(*logon, "select nome from tipos where codigo = 7").toString(), QString("FERRAGENS"));
    logon->RunOnQuery("tipos", "select * from tipos where codigo = '7'", "OPEN");
    QVERIFY(logon->Tipos.active());
    QCOMPARE(logon->Tipos.text("nome"), QString("FERRAGENS"));
    // Any other mode only sets the statement.
    logon->RunOnQuery("atualiza", "delete from tipos", "prepare");
    QCOMPARE(logon->Atualiza.sql(), QString("delete from tipos"));
    QCOMPARE(scalar(*logon, "select count(*) from tipos").toInt(), 1);
    QVERIFY(!logon->Atualiza.active());
}

void TestData::tableQueryNeedsEveryListedColumn()
{
    TestRoot root;
    auto logon = root.connect();
    try {
        logon->RunOnQuery("produtos", "select codigo, nome from produtos", "open");
        QFAIL("a table query opened without its listed columns");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains("PESO") || e.message().contains("ID"), qPrintable(e.message()));
    }
    logon->RunOnQuery("atualiza3", "select codigo, nome from produtos", "open");
    QVERIFY(logon->Atualiza3.active());
    // A table that lacks a carried column cannot be opened through its list.
    logon->RunOnQuery("atualiza", "alter table tipos drop quant", "exec");
    try {
        logon->RunOnQuery("tipos", "select * from tipos", "open");
        QFAIL("opened a table that lacks a listed column");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains("QUANT"), qPrintable(e.message()));
    }
}

void TestData::closeSharedQueriesOnClosedQueries()
{
    TestRoot root;
    auto logon = root.connect();
    logon->CloseSharedQueries();
    logon->RunOnQuery("pesquisa", "select * from kestrum", "open");
    logon->RunOnQuery("empresa", "select * from empresa", "open");
    logon->CloseSharedQueries();
    logon->CloseSharedQueries();
    QVERIFY(!logon->Pesquisa.active());
    QVERIFY(logon->Empresa.active()); // left as it is
}

void TestData::nextIdAdvancesByOne()
{
    TestRoot root;
    auto logon = root.connect();
    logon->setRecording(true);
    const int a = logon->NextId("ESTFIC");
    const int b = logon->NextId("ESTFIC", logon->Atualiza);
    QCOMPARE(b, a + 1);
    QCOMPARE(logon->takeStatements(),
             QStringList({"SELECT GEN_ID(ESTFIC,1) AS teste FROM GeraID",
                          "SELECT GEN_ID(ESTFIC,1) AS teste FROM GeraID"}));
}

void TestData::appendLogRow()
{
    TestRoot root;
    auto logon = root.connect();
    Clock::setFixed(QDateTime(QDate(2021, 3, 25), QTime(14, 5, 9)));
    CurrentUserName = "D'AVILA";
    logon->setRecording(true);
    logon->AppendLog("Entrou no sistema nessa data e hora ");
    QCOMPARE(logon->takeStatements().value(0),
             QString("insert into  LOGS (id,DATA,HISTORICO,USUARIO) values (\nGEN_ID(LOGS,1),\n"
                     "'25/03/21 14:05:09',\n'Entrou no sistema nessa data e hora ',\n'D''AVILA')"));
    logon->AppendLog("Movimentou Produdo 000012 ENTRADA DE MERCADORIA XYZ", 18, 30);
    Clock::setFixed(QDateTime());
    const TLOGON::Result r = logon->runStatement("select data, historico, usuario from logs order by id", true);
    QCOMPARE(r.rows.size(), 2);
    QCOMPARE(r.rows[0][0].toString(), QString("25/03/21 14:05:09"));
    QCOMPARE(r.rows[0][1].toString(), QString("Entrou no sistema nessa data e hora "));
    QCOMPARE(r.rows[0][2].toString(), QString("D'AVILA"));
    QCOMPARE(r.rows[1][1].toString(), QString("Movimentou Produdo 000012 ENTR"));
}

void TestData::literals_data()
{
    QTest::addColumn<QString>("got");
    QTest::addColumn<QString>("expected");
    QTest::newRow("quote apostrophe") << QuoteSql("D'AVILA") << "'D''AVILA'";
    QTest::newRow("quote empty") << QuoteSql("") << "''";
    QTest::newRow("quote injection") << QuoteSql("x'); delete from produtos; --") << "'x''); delete from produtos; --'";
    QTest::newRow("number 345.25") << SqlNumber(345.25) << "345.250";
    QTest::newRow("number 0") << SqlNumber(0) << "0.000";
    QTest::newRow("number -0.25") << SqlNumber(-0.25) << "-0.250";
    QTest::newRow("number 12.5") << SqlNumber(12.5) << "12.500";
    QTest::newRow("number no grouping") << SqlNumber(1234567.0005) << "1234567.001";
    QTest::newRow("date 25/03/21") << SqlDate("25/03/21") << "'03/25/2021'";
    QTest::newRow("date 01/01/01") << SqlDate("01/01/01") << "'01/01/2001'";
    QTest::newRow("date four digits") << SqlDate("29/02/2024") << "'02/29/2024'";
}

void TestData::literals()
{
    QFETCH(QString, got);
    QFETCH(QString, expected);
    QCOMPARE(got, expected);
}

void TestData::sqlDateRejectsNonDates()
{
    for (const char *text : {"29/02/21", "31/02/21", "  /  /  ", "", "abc", "32/01/21", "12/13/21"})
        QVERIFY_THROWS_EXCEPTION(ConvertError, SqlDate(text));
}

void TestData::displayFieldsLookUpByCode()
{
    TestRoot root;
    auto logon = root.connect();
    logon->RunOnQuery("atualiza", "insert into fornecedor (id, codigo, nome) values (GEN_ID(FORNE,1), '3', 'ACME')", "exec");
    logon->RunOnQuery("atualiza", "insert into produtos (id, codigo, nome, valor, fornecedor) values (GEN_ID(PRODUTO,1), '000012', 'PARAFUSO', '2.500', '3')", "exec");
    logon->RunOnQuery("atualiza", "insert into kitprod (id, codigo, codprod, quant) values (GEN_ID(KITPROD,1), 'K1', '000012', '2.000')", "exec");
    logon->RunOnQuery("atualiza", "insert into compped (id, codped, codigo, quant, custo) values (GEN_ID(COMPRAS,1), '1', '000012', '4.000', '1.500')", "exec");
    // The Fornecedor query holds nothing useful: the name still shows.
    logon->RunOnQuery("fornecedor", "select * from fornecedor where codigo = '99'", "open");
    logon->RunOnQuery("produtos", "select * from produtos where codigo = '000012'", "open");
    QCOMPARE(logon->Produtos.text("NomeForne"), QString("ACME"));
    logon->RunOnQuery("kitprod", "select * from kitprod", "open");
    QCOMPARE(logon->KitProd.number("Valor"), 2.5);
    logon->RunOnQuery("compped", "select * from compped", "open");
    QCOMPARE(logon->COMPPED.text("Nome"), QString("PARAFUSO"));
    QCOMPARE(logon->COMPPED.number("Total"), 6.0);
}

void TestData::setupFile_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("address");
    QTest::newRow("missing") << false << QByteArray() << "";
    QTest::newRow("empty first line") << true << QByteArray("\n127.0.0.1/3051\n") << "";
    QTest::newRow("blank first line") << true << QByteArray("      \n") << "";
    QTest::newRow("short") << true << QByteArray("127.0.1\n") << "";
    QTest::newRow("letter first") << true << QByteArray("servidor.local\n") << "";
    QTest::newRow("address") << true << QByteArray("127.0.0.2/3059\nignored\n") << "127.0.0.2/3059";
    QTest::newRow("leading space kept") << true << QByteArray(" 127.0.0.2/3059\n") << " 127.0.0.2/3059";
}

void TestData::setupFile()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, content);
    QFETCH(QString, address);
    TestRoot root;
    if (present)
        root.writeFile("SetupRede.Ini", content);
    QCOMPARE(TLOGON::readServerAddress(root.install() + "/SetupRede.Ini"), address);
    if (address.isEmpty()) {
        // The local database, and no error window.
        auto logon = root.connect();
        QVERIFY(logon->connected());
        QCOMPARE(logon->databaseName(), root.database());
        QVERIFY(Dialogs::takeShown().isEmpty());
    }
}

void TestData::unreachableServerOffersLocalFile()
{
    TestRoot root;
    // Nothing listens there: a loopback address, never anything beyond.
    root.writeFile("SetupRede.Ini", " 127.0.0.2/3059\n");
    QString shownAddress;
    Dialogs::queueModal([&](QDialog *d) {
        shownAddress = d->findChild<QLabel *>("Label2")->text();
        d->findChild<QPushButton *>("BitBtnConectar")->click();
    });
    auto logon = root.connect();
    QCOMPARE(ServerAddress, QString(" 127.0.0.2/3059"));
    QCOMPARE(shownAddress, QString("IP do servidor :  127.0.0.2/3059"));
    QVERIFY(logon->connected());
    QCOMPARE(logon->databaseName(), root.database());
}

void TestData::abortEndsTheStart()
{
    TestRoot root;
    root.writeFile("SetupRede.Ini", "127.0.0.2/3059\n");
    Dialogs::queueModal([](QDialog *d) { d->findChild<QPushButton *>("BitBtnAbortar")->click(); });
    bool ended = false;
    try {
        root.connect();
    } catch (const EndProgram &) {
        ended = true;
    }
    QVERIFY(ended);
}

void TestData::failedWriteRaisesDatabaseError()
{
    TestRoot root;
    auto logon = root.connect();
    // 41 characters into a 40-character column.
    QVERIFY_THROWS_EXCEPTION(DbError, logon->RunOnQuery("atualiza",
        "insert into tipos (id, codigo, nome) values (GEN_ID(OUTROS,1), '1', '" + QString(41, 'X') + "')", "exec"));
    QCOMPARE(scalar(*logon, "select count(*) from tipos").toInt(), 0);
}

TAMBLO_TEST_MAIN(TestData)
#include "tst_data.moc"
