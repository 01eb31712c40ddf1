// A register's working copy, the grid over it and the edits bound to it.
#include "tests/support/TestEnv.h"

#include "data/DataGrid.h"
#include "data/FieldBinder.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "ui/Edits.h"
#include "ui/Errors.h"

#include <QLineEdit>

class TestWorkingCopy : public QObject
{
    Q_OBJECT
private slots:
    void editsReachTheTableOnlyWhenApplied();
    void failedApplyKeepsTheEdits();
    void oneRowTableUpdatesWithoutWhere();
    void boundEditsFollowTheRow();
    void gridAndCopyMoveTogether();
    void editsShapeWhatIsTyped();

private:
    static void addProducts(TLOGON &logon);
};

void TestWorkingCopy::addProducts(TLOGON &logon)
{
    logon.RunOnQuery("atualiza", "insert into produtos (id, codigo, nome, custo) values (GEN_ID(PRODUTO,1), '000001', 'ARRUELA', '1.500')", "exec");
    logon.RunOnQuery("atualiza", "insert into produtos (id, codigo, nome, custo) values (GEN_ID(PRODUTO,1), '000002', 'PREGO', '0.250')", "exec");
}

void TestWorkingCopy::editsReachTheTableOnlyWhenApplied()
{
    TestRoot root;
    auto logon = root.connect();
    addProducts(*logon);
    logon->RunOnQuery("produtos", "select * from produtos order by codigo", "open");
    WorkingCopy copy("Produtos");
    copy.load(logon->Produtos);
    QCOMPARE(copy.count(), 2);
    copy.next();
    copy.setValue("NOME", "PREGO D'ÁGUA");
    copy.setValue("CUSTO", 12.5);
    copy.setValue("VALIDADE", QDate(2027, 3, 25));
    QVERIFY(copy.isModified());
    QCOMPARE(scalar(*logon, "select nome from produtos where codigo = '000002'").toString(), QString("PREGO"));
    const int id = copy.value("ID").toInt();
    QCOMPARE(copy.pendingStatements(),
             QStringList({QString("update Produtos set NOME = 'PREGO D''ÁGUA', CUSTO = '12.500', "
                                  "VALIDADE = '03/25/2027' where ID = '%1'").arg(id)}));
    copy.applyUpdates(*logon);
    QVERIFY(!copy.isModified());
    QCOMPARE(scalar(*logon, "select nome from produtos where codigo = '000002'").toString(), QString("PREGO D'ÁGUA"));
    QCOMPARE(scalar(*logon, "select custo from produtos where codigo = '000002'").toDouble(), 12.5);
    QCOMPARE(scalar(*logon, "select nome from produtos where codigo = '000001'").toString(), QString("ARRUELA"));
    // Putting a value back as it was leaves nothing to write.
    copy.setValue("COR", "AZUL");
    copy.setValue("COR", QVariant());
    QVERIFY(!copy.isModified());
}

void TestWorkingCopy::failedApplyKeepsTheEdits()
{
    TestRoot root;
    auto logon = root.connect();
    addProducts(*logon);
    logon->RunOnQuery("produtos", "select * from produtos order by codigo", "open");
    WorkingCopy copy("Produtos");
    copy.load(logon->Produtos);
    copy.setValue("UNIDADE", "PCS"); // the column holds two characters
    QVERIFY_THROWS_EXCEPTION(DbError, copy.applyUpdates(*logon));
    QVERIFY(copy.isModified());
    QCOMPARE(copy.text("UNIDADE"), QString("PCS"));
    copy.cancelUpdates();
    QVERIFY(!copy.isModified());
    QVERIFY(copy.value("UNIDADE").isNull());
}

void TestWorkingCopy::oneRowTableUpdatesWithoutWhere()
{
    TestRoot root;
    auto logon = root.connect();
    logon->RunOnQuery("empresa", "select * from empresa", "open");
    WorkingCopy copy("Empresa", QString());
    copy.load(logon->Empresa);
    copy.setValue("CNPJ", "12.345.678/0001-90");
    QCOMPARE(copy.pendingStatements(), QStringList({"update Empresa set CNPJ = '12.345.678/0001-90'"}));
    copy.applyUpdates(*logon);
    QCOMPARE(scalar(*logon, "select cnpj from empresa").toString(), QString("12.345.678/0001-90"));
}

void TestWorkingCopy::boundEditsFollowTheRow()
{
    TestRoot root;
    auto logon = root.connect();
    addProducts(*logon);
    logon->RunOnQuery("produtos", "select * from produtos order by codigo", "open");
    WorkingCopy copy("Produtos");
    copy.load(logon->Produtos);
    QLineEdit name, cost;
    FieldBinder binder(&copy);
    binder.bindText(&name, "NOME", 40);
    binder.bindNumber(&cost, "CUSTO", "0.00");
    QCOMPARE(name.text(), QString("ARRUELA"));
    QCOMPARE(cost.text(), QString("1,50"));
    QCOMPARE(name.maxLength(), 40);
    copy.next();
    QCOMPARE(name.text(), QString("PREGO"));
    QCOMPARE(cost.text(), QString("0,25"));
    QVERIFY(!copy.isModified()); // showing a row is no edit

    cost.clear();
    QTest::keyClicks(&cost, "3.75"); // the typed point becomes the decimal comma
    QCOMPARE(cost.text(), QString("3,75"));
    binder.post();
    QCOMPARE(copy.number("CUSTO"), 3.75);
    cost.setText("abc");
    QVERIFY_THROWS_EXCEPTION(ConvertError, binder.post());
}

void TestWorkingCopy::gridAndCopyMoveTogether()
{
    TestRoot root;
    auto logon = root.connect();
    addProducts(*logon);
    logon->RunOnQuery("produtos", "select * from produtos order by codigo", "open");
    WorkingCopy copy("Produtos");
    copy.load(logon->Produtos);
    DataGrid grid(&copy, {{"CODIGO", "Codigo", "", 60}, {"NOME", "Nome", "", 200}, {"CUSTO", "Custo", "0.00", 60}});
    QCOMPARE(grid.model()->rowCount(), 2);
    QCOMPARE(grid.model()->index(1, 2).data().toString(), QString("0,25"));
    copy.last();
    QCOMPARE(grid.currentIndex().row(), 1);
    grid.setCurrentIndex(grid.model()->index(0, 0));
    QCOMPARE(copy.row(), 0);
    QCOMPARE(copy.text("CODIGO"), QString("000001"));
    QVERIFY(copy.locate("CODIGO", "000002"));
    QCOMPARE(grid.currentIndex().row(), 1);
}

void TestWorkingCopy::editsShapeWhatIsTyped()
{
    QLineEdit upper, decimal;
    Edits::upperCase(&upper);
    Edits::limit(&upper, 5);
    Edits::decimalComma(&decimal);
    QSignalSpy changes(&upper, &QLineEdit::textChanged);
    QTest::keyClicks(&upper, "sao joao");
    QCOMPARE(upper.text(), QString("SAO J")); // capitals, and never past the column
    QCOMPARE(changes.size(), 5);              // one change per accepted keystroke
    QTest::keyClicks(&decimal, "12.5");
    QCOMPARE(decimal.text(), QString("12,5"));
}

TAMBLO_TEST_MAIN(TestWorkingCopy)
#include "tst_workingcopy.moc"
