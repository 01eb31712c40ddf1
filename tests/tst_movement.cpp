// The stock movement window and its confirmation: every ledger row, log row
// and product update that one "Confirme" writes.
#include "tests/support/TestEnv.h"

#include "data/Clock.h"
#include "data/Globals.h"
#include "data/TLOGON.h"
#include "movements/MovementConfirm.h"
#include "movements/TFormMovEst2.h"
#include "ui/Dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

const QDate Today(2026, 5, 14);
const QDate Yesterday = Today.addDays(-1);
const QDate Tomorrow = Today.addDays(1);

const QString NotFound = QStringLiteral("        Produto Nao Localizado          ");
const QString Negative = QStringLiteral(" ERRO Saida superior ao estoque ");

void run(TLOGON &logon, const QString &sql) { logon.runStatement(sql, false); }

void product(TLOGON &logon, const QString &code, const QString &name, double custo, double medio, int fornecedor,
             double minimo = 0, const QString &locacao = QString())
{
    run(logon, QStringLiteral("insert into produtos (id, codigo, nome, custo, medio, fornecedor, minimo, locacao) "
                              "values (gen_id(produto, 1), '%1', '%2', %3, %4, %5, %6, '%7')")
                   .arg(code, name)
                   .arg(custo)
                   .arg(medio)
                   .arg(fornecedor)
                   .arg(minimo)
                   .arg(locacao));
}

// A ledger row as another window would have written it.
void ledger(TLOGON &logon, const QString &code, const QDate &date, double entrada, double saida,
            const QString &lot = QStringLiteral("'0'"))
{
    run(logon, QStringLiteral("insert into estfic (id, codigo, data, historico, entrada, saida, valor, sdata) "
                              "values (gen_id(estfic, 1), '%1', '%2', 'ANTERIOR', %3, %4, 1, %5)")
                   .arg(code, date.toString(QStringLiteral("MM/dd/yyyy")))
                   .arg(entrada)
                   .arg(saida)
                   .arg(lot));
}

void supplier(TLOGON &logon, int code, const QString &name)
{
    run(logon, QStringLiteral("insert into fornecedor (id, codigo, nome) values (gen_id(forne, 1), %1, '%2')")
                   .arg(code)
                   .arg(name));
}

void customer(TLOGON &logon, int code, const QString &name)
{
    run(logon, QStringLiteral("insert into clientes (id, codigo, nome) values (gen_id(cliente, 1), %1, '%2')")
                   .arg(code)
                   .arg(name));
}

void centre(TLOGON &logon, int code, const QString &name)
{
    run(logon, QStringLiteral("insert into genero (id, codigo, genero) values (gen_id(genero, 1), %1, '%2')")
                   .arg(code)
                   .arg(name));
}

void kit(TLOGON &logon, const QString &code, const QString &name, double valot,
         const QList<QPair<QString, double>> &items)
{
    run(logon, QStringLiteral("insert into kitmaster (id, codigo, nome, valot) values (gen_id(kitmaster, 1), '%1', "
                              "'%2', %3)")
                   .arg(code, name)
                   .arg(valot));
    for (const auto &item : items)
        run(logon, QStringLiteral("insert into kitprod (id, codigo, codprod, nome, quant) values "
                                  "(gen_id(kitprod, 1), '%1', '%2', 'ITEM', %3)")
                       .arg(code, item.first)
                       .arg(item.second));
}

void forbidNegative(TLOGON &logon, bool on)
{
    run(logon, QStringLiteral("update empresa set scl1 = %1").arg(on ? 1 : 0));
}

QList<QVariantList> rows(TLOGON &logon, const QString &sql)
{
    QList<QVariantList> out;
    for (const auto &row : logon.runStatement(sql, true).rows)
        out.append(QVariantList(row.begin(), row.end()));
    return out;
}

QString num(const QVariant &v) { return v.isNull() ? QStringLiteral("null") : QString::number(v.toDouble()); }

// Ledger rows with an id above the given one, one text per row.
QStringList ledgerAfter(TLOGON &logon, int id)
{
    QStringList out;
    for (const auto &r : rows(logon, QStringLiteral("select codigo, entrada, saida, valor, ccusto, pedido, cliente "
                                                    "from estfic where id > %1 order by id")
                                         .arg(id)))
        out << QStringLiteral("%1 e%2 s%3 v%4 cc%5 p%6 c%7")
                   .arg(r[0].toString(), num(r[1]), num(r[2]), num(r[3]), num(r[4]), num(r[5]), num(r[6]));
    return out;
}

int maxLedgerId(TLOGON &logon) { return scalar(logon, QStringLiteral("select coalesce(max(id), 0) from estfic")).toInt(); }

QStringList logTexts(TLOGON &logon)
{
    QStringList out;
    for (const auto &r : rows(logon, QStringLiteral("select historico from logs order by id")))
        out << r[0].toString();
    return out;
}

double balanceOf(TLOGON &logon, const QString &code)
{
    return scalar(logon, QStringLiteral("select coalesce(sum(entrada), 0) - coalesce(sum(saida), 0) from estfic "
                                        "where codigo = '%1'")
                             .arg(code))
        .toDouble();
}

QStringList messages()
{
    QStringList out;
    for (const auto &s : Dialogs::takeShown())
        if (s.kind == QLatin1String("message"))
            out << s.text;
    return out;
}

// The company every movement case starts from.
void standardWorld(TLOGON &logon)
{
    supplier(logon, 7, "FORNECEDOR SETE");
    supplier(logon, 9, "FORNECEDOR NOVE");
    customer(logon, 3, "CLIENTE TRES");
    centre(logon, 12, "OFICINA");
    product(logon, "000001", "PARAFUSO", 3.5, 10, 7, 0, "A1");
    ledger(logon, "000001", Yesterday, 10, 0);
    product(logon, "000002", "PORCA", 2, 10, 7, 5);
    ledger(logon, "000002", Yesterday, 6, 0);
    product(logon, "000003", "ARRUELA", 20, 10, 7);
    ledger(logon, "000003", Yesterday, 5, 0);
    product(logon, "000004", "BUCHA", 1, 10, 7);
    ledger(logon, "000004", Yesterday, 0, 5);
    product(logon, "000005", "PREGO", 1, 10, 7);
    ledger(logon, "000005", Yesterday, 10, 0);
    ledger(logon, "000005", Tomorrow, 5, 0);
    kit(logon, "FESTA", "KIT FESTA", 12.5, {{"000001", 1}, {"000002", 2}, {"000003", 0.5}});
    kit(logon, "VAZIO", "KIT VAZIO", 1, {});
    kit(logon, "12", "KIT DOZE", 3, {{"000001", 1}});
}

// The window on screen, driven as an operator would: focus moves by Enter or
// by a click on the field, so leaving a field runs what leaving it runs.
class Window
{
public:
    Window()
    {
        w.show();
        QApplication::setActiveWindow(&w);
    }
    ~Window() { w.close(); }

    template <typename T = QLineEdit>
    T *get(const char *name) const
    {
        T *c = w.findChild<T *>(QString::fromLatin1(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    QLabel *label(const char *name) const { return get<QLabel>(name); }
    QString text(const char *name) const { return get(name)->text(); }
    QWidget *focus() const { return QApplication::focusWidget(); }
    // A search window took the activation; the operator is back in this one.
    void reactivate() { QApplication::setActiveWindow(&w); }

    void click(QWidget *field) { field->setFocus(Qt::MouseFocusReason); }
    void enter() { QTest::keyClick(focus(), Qt::Key_Return); }
    // Types into the field that has the focus, over what it holds.
    void typeHere(const QString &text)
    {
        auto *edit = qobject_cast<QLineEdit *>(focus());
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void type(const char *name, const QString &text)
    {
        click(get(name));
        typeHere(text);
    }
    void code(const QString &text)
    {
        type("Edit1", text);
        enter();
    }
    // A click on "Confirme": the focus moves to it first.
    void confirme()
    {
        auto *b = get<QPushButton>("BitBtn1");
        click(b);
        b->click();
    }

    TFormMovEst2 w;
};

struct Typed
{
    QString code;
    QString type;
    QString quantity;
    QString cost;     // empty: keep what the window filled in
    QString supplier; // empty: keep what the window filled in
    bool visitType = true;
};

struct Expected
{
    QString shown;        // the balance label once the code is left
    QStringList messages; // from "Confirme" on
    QStringList ledger;
    QStringList logs;
    QString product;      // checked when not empty
    double medio = 0, custo = 0;
    int fornecedor = 0;
    QString balanceCode;  // checked when not empty
    double balance = 0;
    bool supplierUpdate = false;
};

} // namespace

Q_DECLARE_METATYPE(Typed)
Q_DECLARE_METATYPE(Expected)

class TestMovement : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Dialogs::resetTest();
        Clock::setFixed(QDateTime(Today, QTime(10, 30, 0)));
    }
    void cleanup()
    {
        Clock::setFixed(QDateTime());
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void movements_data();
    void movements();
    void exactStatements_data();
    void exactStatements();
    void keyboardOnly();

    void opening();
    void shownBalance_data();
    void shownBalance();
    void codeNormalisation_data();
    void codeNormalisation();
    void emptyCodeMovesToRetornar();
    void kitCode_data();
    void kitCode();
    void typeField_data();
    void typeField();
    void costEnabledAgainOnlyByTheCodeField();
    void costCentreList();
    void costCentreCode_data();
    void costCentreCode();
    void lotsBecomeZero();
    void supplierField_data();
    void supplierField();
    void customerField();
    void productSearch();
    void naoConfirmar();
    void retornarClosesSharedQueries();
    void severalItemButtonsOpenNothing();

    void unknownProductRefused();
    void decimalCodesRepairedBeforeWriting_data();
    void decimalCodesRepairedBeforeWriting();
    void secondConfirmeWritesNothing();
    void exitWithoutQuantityWhenForbidden();
    void longTextsCutToTheirColumns();
};

void TestMovement::movements_data()
{
    QTest::addColumn<bool>("forbidNegative");
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<Expected>("expected");

    const QString exitLog = QStringLiteral("Movimentou Produdo Saida Qt ");
    // An entry's log text is cut right after "Entrada Qt ".
    const QString entryLog = QStringLiteral("Movimentou Produdo Entrada Qt ");

    Expected e;
    e = {};
    e.shown = "10";
    e.messages = QStringList{Negative};
    e.balanceCode = "000001";
    e.balance = 10;
    QTest::newRow("setting on, exit beyond the dated balance refused")
        << true << Typed{"1", "0", "12", "", ""} << e;

    e = {};
    e.shown = "10";
    e.ledger = QStringList{"000001 e0 s10 v3.5 cc12 p0 c0"};
    e.logs = QStringList{exitLog + "10"};
    e.balanceCode = "000001";
    e.balance = 0;
    QTest::newRow("setting on, exit of the whole dated balance") << true << Typed{"1", "0", "10", "", ""} << e;

    e = {};
    e.shown = "10";
    e.ledger = QStringList{"000001 e0 s12 v3.5 cc12 p0 c0"};
    e.logs = QStringList{exitLog + "12"};
    e.balanceCode = "000001";
    e.balance = -2;
    QTest::newRow("setting off, exit beyond the balance") << false << Typed{"1", "0", "12", "", ""} << e;

    e = {};
    e.shown = "15";
    e.messages = QStringList{Negative};
    e.balanceCode = "000005";
    e.balance = 15;
    QTest::newRow("row dated tomorrow shown but not counted") << true << Typed{"5", "0", "12", "", ""} << e;

    e = {};
    e.shown = "15";
    e.ledger = QStringList{"000005 e0 s10 v1 cc12 p0 c0"};
    e.logs = QStringList{exitLog + "10"};
    e.balanceCode = "000005";
    e.balance = 5;
    QTest::newRow("row dated tomorrow, exit of the dated balance") << true << Typed{"5", "0", "10", "", ""} << e;

    e = {};
    e.shown = "5";
    e.ledger = QStringList{"000003 e5 s0 v20 cc0 p9 c0"};
    e.logs = QStringList{entryLog};
    e.product = "000003";
    e.medio = 15;
    e.custo = 20;
    e.fornecedor = 9;
    e.supplierUpdate = true;
    QTest::newRow("entry updates average, cost and supplier") << false << Typed{"3", "1", "5", "20", "9"} << e;

    e = {};
    e.shown = "-5";
    e.ledger = QStringList{"000004 e5 s0 v20 cc0 p9 c0"};
    e.logs = QStringList{entryLog};
    e.product = "000004";
    e.medio = 10;
    e.custo = 20;
    e.fornecedor = 9;
    e.supplierUpdate = true;
    QTest::newRow("entry onto minus its quantity keeps the average") << false << Typed{"4", "1", "5", "20", "9"} << e;

    e = {};
    e.shown = "10";
    e.ledger = QStringList{"000001 e2 s0 v4 cc0 p7 c0"};
    e.logs = QStringList{entryLog};
    e.product = "000001";
    e.medio = 9; // (10 x 10 + 4 x 2) / 12
    e.custo = 4;
    e.fornecedor = 7;
    e.supplierUpdate = false;
    QTest::newRow("type never visited: entry without supplier update")
        << false << Typed{"1", "", "2", "4", "", false} << e;

    e = {};
    e.shown = "10";
    e.ledger = QStringList{"000001 e0 s0 v3.5 cc0 p7 c0"};
    e.logs = QStringList{entryLog};
    e.product = "000001";
    e.medio = 10;
    e.custo = 3.5;
    e.fornecedor = 7;
    e.supplierUpdate = true;
    QTest::newRow("quantity abc records 0") << false << Typed{"1", "1", "abc", "", ""} << e;

    e = {};
    e.shown = "6";
    e.messages = QStringList{"Produto com estoque inferior ao minimo. \rminimo: 5   Estoque atual: 4"};
    e.ledger = QStringList{"000002 e0 s2 v2 cc12 p0 c0"};
    // An exit's log text keeps two characters of the quantity.
    e.logs = QStringList{exitLog + "2 "};
    QTest::newRow("minimum-stock warning") << false << Typed{"2", "0", "2", "", ""} << e;

    e = {};
    e.shown = "0.0";
    e.ledger = QStringList{"000001 e2 s0 v3.5 cc0 p9 c0", "000002 e4 s0 v2 cc0 p9 c0", "000003 e1 s0 v20 cc0 p9 c0"};
    // Cut to the log column; uncut, the kit's name made the first insert fail.
    e.logs = QStringList{"Movimentou Produdo Entrada Qt 2,000 [KIT", "Movimentou Produdo Entrada Qt 4,000 [KIT",
                         "Movimentou Produdo Entrada Qt 1,000 [KIT"};
    // No warning: PORCA (minimum 5, stock 6) is left with 10, not 6 - 4.
    e.messages = QStringList{};
    e.product = "000001"; // a kit moves stock, never the products' costs
    e.medio = 10;
    e.custo = 3.5;
    e.fornecedor = 7;
    QTest::newRow("kit of three components, entry of 2") << false << Typed{"/FESTA", "1", "2", "", "9"} << e;

    e = {};
    e.shown = "0.0";
    // PORCA is left with 2, under its minimum of 5.
    e.messages = QStringList{"Produto com estoque inferior ao minimo. \rminimo: 5   Estoque atual: 2"};
    e.ledger = QStringList{"000001 e0 s2 v3.5 cc12 p0 c0", "000002 e0 s4 v2 cc12 p0 c0", "000003 e0 s1 v20 cc12 p0 c0"};
    e.logs = QStringList{"Movimentou Produdo Saida Qt 2,000 [KIT] ", "Movimentou Produdo Saida Qt 4,000 [KIT] ",
                         "Movimentou Produdo Saida Qt 1,000 [KIT] "};
    e.balanceCode = "000002";
    e.balance = 2;
    QTest::newRow("setting on, kit exit its components cover") << true << Typed{"/FESTA", "0", "2", "", ""} << e;

    e = {};
    e.shown = "0.0";
    e.messages = QStringList{Negative};
    e.balanceCode = "000001";
    e.balance = 10;
    QTest::newRow("setting on, kit exit one component cannot cover") << true << Typed{"/FESTA", "0", "4", "", ""} << e;

    e = {};
    e.shown = "0.0";
    QTest::newRow("kit without components writes nothing") << false << Typed{"/VAZIO", "1", "2", "", "9"} << e;
}

void TestMovement::movements()
{
    QFETCH(bool, forbidNegative);
    QFETCH(Typed, typed);
    QFETCH(Expected, expected);
    TestRoot root;
    auto logon = root.connect();
    CurrentUserName = QStringLiteral("MARIA");
    standardWorld(*logon);
    ::forbidNegative(*logon, forbidNegative);
    const int before = maxLedgerId(*logon);

    Window win;
    win.code(typed.code);
    QCOMPARE(win.label("Label13")->text(), expected.shown);
    QCOMPARE(win.focus(), win.get("MaskEdit1"));
    win.enter();
    win.typeHere(QStringLiteral("teste"));
    if (typed.visitType) {
        win.enter();
        QCOMPARE(win.focus(), win.get("MaskEdit2"));
        win.typeHere(typed.type);
        win.enter();
    } else {
        win.click(win.get("Edit3"));
    }
    QCOMPARE(win.focus(), win.get("Edit3"));
    win.typeHere(typed.quantity);
    win.enter();
    if (typed.type == QLatin1String("0")) {
        // The first (only) cost centre, 12.
        QCOMPARE(win.focus(), win.get<QComboBox>("ComboBox1"));
        win.enter();
        QCOMPARE(win.text("Edit7"), QString("12"));
    } else {
        QCOMPARE(win.focus(), win.get("Edit4"));
        if (!typed.cost.isEmpty())
            win.typeHere(typed.cost);
        win.enter();
        if (!typed.supplier.isEmpty()) {
            QCOMPARE(win.focus(), win.get("Edit6"));
            win.typeHere(typed.supplier);
        }
    }
    QVERIFY(messages().isEmpty());
    logon->setRecording(true);
    win.confirme();
    const QStringList statements = logon->takeStatements();

    QCOMPARE(messages(), expected.messages);
    QCOMPARE(ledgerAfter(*logon, before), expected.ledger);
    QCOMPARE(logTexts(*logon), expected.logs);
    for (const auto &r : rows(*logon, "select usuario, data from logs"))
        QCOMPARE(r, (QVariantList{"MARIA", "14/05/26 10:30:00"}));
    if (!expected.product.isEmpty()) {
        const auto p = rows(*logon, QStringLiteral("select medio, custo, fornecedor from produtos where codigo = '%1'")
                                        .arg(expected.product));
        QCOMPARE(p.size(), 1);
        QCOMPARE(p[0][0].toDouble(), expected.medio);
        QCOMPARE(p[0][1].toDouble(), expected.custo);
        QCOMPARE(p[0][2].toInt(), expected.fornecedor);
    }
    if (!expected.balanceCode.isEmpty())
        QCOMPARE(balanceOf(*logon, expected.balanceCode), expected.balance);
    bool supplierUpdate = false;
    for (const QString &s : statements)
        supplierUpdate |= s.startsWith(QLatin1String("update produtos set fornecedor = "));
    QCOMPARE(supplierUpdate, expected.supplierUpdate);

    // After the movement the window waits for the next one in the code field;
    // a refused one keeps what was typed.
    QCOMPARE(win.focus(), win.get("Edit1"));
    const bool written = !expected.ledger.isEmpty() || typed.code == QLatin1String("/VAZIO");
    if (written) {
        QCOMPARE(win.text("Edit1"), QString());
        QCOMPARE(win.text("Edit3"), QString());
        QCOMPARE(win.text("Edit4"), QString());
        QCOMPARE(win.text("Edit2"), QString("TESTE"));
        QCOMPARE(win.text("MaskEdit2"), typed.visitType ? typed.type : QString());
    } else {
        QVERIFY(!win.text("Edit1").isEmpty());
        QCOMPARE(win.text("Edit3"), typed.quantity);
    }
}

namespace {

// The standard company on a fresh database, with MARIA at the keyboard.
struct World
{
    World() : logon(root.connect())
    {
        CurrentUserName = QStringLiteral("MARIA");
        standardWorld(*logon);
    }
    TestRoot root;
    std::unique_ptr<TLOGON> logon;
};

// From the code field to the quantity, through the Enter chain.
void upToQuantity(Window &win, const QString &code, const QString &type)
{
    win.code(code);
    win.enter();
    win.typeHere(QStringLiteral("teste"));
    win.enter();
    win.typeHere(type);
    win.enter();
}

} // namespace

void TestMovement::exactStatements_data()
{
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<QStringList>("statements");
    const QString sums = "Select sum(saida) as tsai, sum(entrada) as tent from estfic where codigo = ";
    const QString period = " and ( data between cast('01/01/2001'as date) and cast('05/14/2026' as date))";
    const QString log = "insert into  LOGS (id,DATA,HISTORICO,USUARIO) values (\nGEN_ID(LOGS,1),\n'14/05/26 "
                        "10:30:00',\n'%1',\n'MARIA')";
    const QString nextId = "SELECT GEN_ID(ESTFIC,1) AS teste FROM GeraID";
    const QString productInsert = "insert into EstFic (id,codigo,sdata,data,NFiscal,Historico,entrada,saida,ccusto,"
                                  "valor,cliente,Pedido)  values (\n'ID',\n";
    const QString kitInsert = "insert into EstFic (id,codigo,sdata,data,NFiscal,Historico,entrada,saida,ccusto,"
                              "valor,cliente,pedido)  values (\n'ID',\n";

    QTest::newRow("product entry")
        << Typed{"3", "1", "5", "20", "9"}
        << QStringList{"select * from Produtos where codigo = '000003'",
                       log.arg("Movimentou Produdo Entrada Qt "),
                       nextId,
                       productInsert + "'000003',\n'',\n'05/14/2026',\n'0',\n'TESTE',\n'5.000',\n'0.000',\n'0.000',\n"
                                       "'20.000',\n'0.000',\n'9.000')",
                       "update produtos set medio = '15.000' where codigo = '000003'",
                       "update produtos set Custo = '20.000' where codigo = '000003'",
                       "update produtos set fornecedor = '9' where codigo = '000003'"};
    QTest::newRow("product exit")
        << Typed{"1", "0", "2,5", "", ""}
        << QStringList{sums + "'000001'" + period,
                       "select * from Empresa",
                       "select * from Produtos where codigo = '000001'",
                       log.arg("Movimentou Produdo Saida Qt 2,"),
                       nextId,
                       productInsert + "'000001',\n'',\n'05/14/2026',\n'0',\n'TESTE',\n'0.000',\n'2.500',\n'12.000',\n"
                                       "'3.500',\n'0.000',\n'0.000')"};
    QTest::newRow("kit entry")
        << Typed{"/12", "1", "3", "", "9"}
        << QStringList{"select * from KitProd where codigo = '12'",
                       "select * from Produtos where codigo = '000001'",
                       log.arg("Movimentou Produdo Entrada Qt 3,000 [KIT"),
                       sums + "'000001'" + period,
                       nextId,
                       kitInsert + "'000001',\n'',\n'05/14/2026',\n'0',\n'TESTE',\n'3.000',\n'0.000',\n'0.000',\n"
                                   "'3.500',\n'0.000',\n'9.000')"};
}

void TestMovement::exactStatements()
{
    QFETCH(Typed, typed);
    QFETCH(QStringList, statements);
    World world;
    forbidNegative(*world.logon, true);
    const int id = maxLedgerId(*world.logon) + 1;
    statements.replaceInStrings(QStringLiteral("'ID'"), QStringLiteral("'%1'").arg(id));

    Window win;
    upToQuantity(win, typed.code, typed.type);
    win.typeHere(typed.quantity);
    win.enter();
    if (typed.type == QLatin1String("0")) {
        win.enter();
    } else {
        if (!typed.cost.isEmpty())
            win.typeHere(typed.cost);
        win.enter();
        win.typeHere(typed.supplier);
    }
    auto *confirme = win.get<QPushButton>("BitBtn1");
    win.click(confirme);
    Dialogs::takeShown();
    world.logon->setRecording(true);
    confirme->click();
    world.logon->setRecording(false);
    QCOMPARE(world.logon->takeStatements(), statements);
    QCOMPARE(maxLedgerId(*world.logon), id);
}

void TestMovement::keyboardOnly()
{
    World world;
    const int before = maxLedgerId(*world.logon);
    Window win;
    QCOMPARE(win.focus(), win.get("Edit1"));
    const auto keys = [&win](const char *text) { QTest::keyClicks(win.focus(), QString::fromLatin1(text)); };
    keys("1");
    win.enter();
    keys("130526");
    win.enter();
    keys("venda balcao");
    win.enter();
    keys("1");
    win.enter();
    keys("2.5");
    win.enter();
    keys("4.25");
    win.enter();
    keys("9");
    win.enter();
    QCOMPARE(win.focus(), win.get<QPushButton>("BitBtn1"));
    win.enter();

    QCOMPARE(messages(), QStringList());
    const auto r = rows(*world.logon, QStringLiteral("select codigo, data, historico, entrada, saida, valor, pedido, "
                                                     "ccusto from estfic where id > %1")
                                          .arg(before));
    QCOMPARE(r.size(), 1);
    QCOMPARE(r[0], (QVariantList{"000001", QDate(2026, 5, 13), "VENDA BALCAO", 2.5, 0.0, 4.25, 9, 0}));
    const auto p = rows(*world.logon, "select medio, custo, fornecedor from produtos where codigo = '000001'");
    QCOMPARE(p[0], (QVariantList{8.85, 4.25, 9})); // (10 x 10 + 4,25 x 2,5) / 12,5
    QCOMPARE(logTexts(*world.logon), QStringList{"Movimentou Produdo Entrada Qt "});
    // Ready for the next movement of the day: same date, history and type.
    QCOMPARE(win.focus(), win.get("Edit1"));
    QCOMPARE(win.text("Edit1"), QString());
    QCOMPARE(win.text("MaskEdit1"), QString("13/05/26"));
    QCOMPARE(win.text("Edit2"), QString("VENDA BALCAO"));
    QCOMPARE(win.text("MaskEdit2"), QString("1"));
}

void TestMovement::opening()
{
    World world;
    centre(*world.logon, 100, "DIRETORIA");
    centre(*world.logon, 3, "ALMOX");
    Window win;
    QCOMPARE(win.w.windowTitle(), QString(".: Movimenta Estoque :."));
    bool band = false;
    for (QLabel *l : win.w.findChildren<QLabel *>())
        band |= l->text() == QLatin1String("Movimenta Estoque");
    QVERIFY(band);
    QCOMPARE(win.focus(), win.get("Edit1"));
    QCOMPARE(win.text("Edit1"), QString());
    QCOMPARE(win.text("MaskEdit1"), QString("14/05/26"));
    QCOMPARE(win.text("MaskEdit2"), QString());
    QCOMPARE(win.text("Edit7"), QString("0"));
    QCOMPARE(win.label("Label2")->text(), QString("Nome do Produto"));
    QCOMPARE(win.label("Label11")->text(), QString("(0) Saida / (1) Entrada"));
    QCOMPARE(win.label("Label13")->text(), QString("0.0"));
    QCOMPARE(win.label("Label23")->text(), QString("Nome do Fornecedor"));

    auto *list = win.get<QComboBox>("ComboBox1");
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    QCOMPARE(items, (QStringList{"         3 - ALMOX", "        12 - OFICINA", "       100 - DIRETORIA"}));
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(list->width(), 21);

    for (const char *hidden : {"Edit6", "Edit7", "ComboBox1", "SpeedButton2", "SpeedButton3", "Edit8", "Label20"})
        QVERIFY2(!win.get<QWidget>(hidden)->isVisible(), hidden);
    for (const char *shown : {"Edit1", "SpeedButton1", "Edit5", "Edit3", "Edit4", "Label13"})
        QVERIFY2(win.get<QWidget>(shown)->isVisible(), shown);

    const QList<QPair<const char *, QString>> buttons = {{"BitBtn1", "Confirme"},
                                                         {"BitBtn2", "Retornar"},
                                                         {"BitBtn3", "Nao Confirmar"},
                                                         {"BitBtn4", "Entrada Varios Itens"},
                                                         {"BitBtn5", "Saida Varios Itens"}};
    for (const auto &b : buttons)
        QCOMPARE(win.get<QPushButton>(b.first)->text(), b.second);
    QCOMPARE(win.get("Edit1")->toolTip(), QString("Codigo do Produto"));
    QCOMPARE(win.get("MaskEdit2")->toolTip(), QString("informe 0 para saida e 1 para entrada "));
    QCOMPARE(win.get("Edit4")->toolTip(), QString("Custo do produto, \"só usar a virgula para separar centavos\""));
    // The history and lot columns hold 30 and 9 characters.
    QCOMPARE(win.get("Edit2")->maxLength(), 30);
    QCOMPARE(win.get("Edit8")->maxLength(), 9);
    QCOMPARE(world.logon->Genero.sql(), QString("select * from genero order by codigo"));
    QCOMPARE(messages(), QStringList());
}

void TestMovement::shownBalance_data()
{
    QTest::addColumn<QList<QList<double>>>("moves"); // entrada, saida, days from today
    QTest::addColumn<QString>("shown");
    QTest::newRow("no rows") << QList<QList<double>>{} << "0";
    QTest::newRow("12,25 rounds to one decimal") << QList<QList<double>>{{12.25, 0, -1}} << "12,3";
    QTest::newRow("a whole number") << QList<QList<double>>{{5, 0, -3}} << "5";
    QTest::newRow("entries and exits") << QList<QList<double>>{{10, 0, -2}, {0, 2.5, -1}} << "7,5";
    QTest::newRow("negative") << QList<QList<double>>{{0, 3, -1}} << "-3";
    QTest::newRow("rows dated in the future count") << QList<QList<double>>{{5, 0, -1}, {5, 0, 1}} << "10";
}

void TestMovement::shownBalance()
{
    QFETCH(QList<QList<double>>, moves);
    QFETCH(QString, shown);
    World world;
    product(*world.logon, "000010", "CHAVE", 3.5, 0, 9, 0, "B2");
    for (const auto &m : moves)
        ledger(*world.logon, "000010", Today.addDays(int(m[2])), m[0], m[1]);
    Window win;
    win.code("10");
    QCOMPARE(win.label("Label13")->text(), shown);
    QCOMPARE(win.label("Label2")->text(), QString("CHAVE"));
    QCOMPARE(win.label("Label5")->text(), QString("B2"));
    QCOMPARE(win.text("Edit4"), QString("3,5000"));
    QCOMPARE(win.text("Edit6"), QString("9"));
    QCOMPARE(win.label("Label23")->text(), QString("FORNECEDOR NOVE"));
    QCOMPARE(messages(), QStringList());
}

void TestMovement::codeNormalisation_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("found");
    QTest::newRow("12") << "12" << "000012" << true;
    QTest::newRow("letters") << "ABC" << "ABC" << true;
    QTest::newRow("blanks around") << " 7 " << "000007" << false;
    QTest::newRow("negative") << "-5" << "-000005" << false;
    QTest::newRow("seven digits") << "1234567" << "1234567" << false;
    QTest::newRow("digits and a letter") << "12a" << "12A" << false;
}

void TestMovement::codeNormalisation()
{
    QFETCH(QString, typed);
    QFETCH(QString, code);
    QFETCH(bool, found);
    World world;
    product(*world.logon, "000012", "DOZE", 1, 1, 7);
    product(*world.logon, "ABC", "LETRAS", 1, 1, 7);
    Window win;
    win.code(typed);
    QCOMPARE(win.text("Edit1"), code);
    QCOMPARE(messages(), found ? QStringList() : QStringList{NotFound});
    QCOMPARE(win.focus(), found ? win.get("MaskEdit1") : win.get("Edit1"));
}

void TestMovement::emptyCodeMovesToRetornar()
{
    World world;
    Window win;
    win.code(QString());
    QCOMPARE(win.focus(), win.get<QPushButton>("BitBtn2"));
    QCOMPARE(messages(), QStringList());
    // Enter on "Retornar" goes on to the date; it does not close the window.
    win.enter();
    QCOMPARE(win.focus(), win.get("MaskEdit1"));
    QVERIFY(win.w.isVisible());
}

void TestMovement::kitCode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name"); // empty: not found
    QTest::addColumn<QString>("cost");
    QTest::newRow("kit") << "/festa" << "[KIT] KIT FESTA" << "12,5000";
    // Kit codes are what the kit register stored, never zero-filled.
    QTest::newRow("numeric kit code as typed") << "/12" << "[KIT] KIT DOZE" << "3,0000";
    QTest::newRow("blanks after the slash") << "/ 12" << "[KIT] KIT DOZE" << "3,0000";
    QTest::newRow("unknown kit") << "/NADA" << "" << "";
    QTest::newRow("slash alone") << "/" << "" << "";
}

void TestMovement::kitCode()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(QString, cost);
    World world;
    Window win;
    // A product first, so that the fields hold its supplier and balance.
    win.code("1");
    QCOMPARE(win.label("Label13")->text(), QString("10"));
    win.code(typed);
    if (name.isEmpty()) {
        QCOMPARE(messages(), QStringList{NotFound});
        QCOMPARE(win.focus(), win.get("Edit1"));
        return;
    }
    QCOMPARE(messages(), QStringList());
    QCOMPARE(win.label("Label2")->text(), name);
    QCOMPARE(win.text("Edit4"), cost);
    QCOMPARE(win.text("Edit6"), QString());
    QCOMPARE(win.label("Label13")->text(), QString("0.0"));
}

void TestMovement::typeField_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("caption"); // empty: the focus stays in the type field
    QTest::newRow("2") << "2" << "";
    QTest::newRow("blank") << "" << "";
    QTest::newRow("entry") << "1" << "Entrada";
    QTest::newRow("exit") << "0" << "Saida";
}

void TestMovement::typeField()
{
    QFETCH(QString, type);
    QFETCH(QString, caption);
    World world;
    Window win;
    upToQuantity(win, "1", type);
    if (caption.isEmpty()) {
        QCOMPARE(win.focus(), win.get("MaskEdit2"));
        QCOMPARE(win.label("Label11")->text(), QString("(0) Saida / (1) Entrada"));
        // Not by a click elsewhere either.
        win.click(win.get("Edit2"));
        QCOMPARE(win.focus(), win.get("MaskEdit2"));
        QCOMPARE(messages(), QStringList());
        return;
    }
    const bool exit = type == QLatin1String("0");
    QCOMPARE(win.focus(), win.get("Edit3"));
    QCOMPARE(win.label("Label11")->text(), caption);
    QVERIFY(win.get("Edit6")->isVisible());
    QVERIFY(win.get<QToolButton>("SpeedButton2")->isVisible());
    QCOMPARE(win.get("Edit7")->isVisible(), exit);
    QCOMPARE(win.get<QComboBox>("ComboBox1")->isVisible(), exit);
    // An exit is valued at the product's cost: shown, not typed.
    QCOMPARE(win.get("Edit4")->isEnabled(), !exit);
    QCOMPARE(win.text("Edit4"), QString("3,5000"));
}

void TestMovement::costEnabledAgainOnlyByTheCodeField()
{
    World world;
    Window win;
    upToQuantity(win, "1", "0");
    QVERIFY(!win.get("Edit4")->isEnabled());
    win.click(win.get("MaskEdit2"));
    win.typeHere("1");
    win.enter();
    QCOMPARE(win.label("Label11")->text(), QString("Entrada"));
    QVERIFY(!win.get("Edit4")->isEnabled());
    win.click(win.get("Edit1"));
    QVERIFY(win.get("Edit4")->isEnabled());
}

void TestMovement::costCentreList()
{
    World world;
    centre(*world.logon, 3, "ALMOX");
    centre(*world.logon, 100, "DIRETORIA");
    Window win;
    upToQuantity(win, "1", "0");
    win.typeHere("1");
    win.enter();
    auto *list = win.get<QComboBox>("ComboBox1");
    QCOMPARE(win.focus(), list);
    QCOMPARE(list->width(), 240);
    list->setCurrentIndex(1);
    QCOMPARE(list->currentText(), QString("        12 - OFICINA"));
    win.enter();
    QCOMPARE(win.focus(), win.get("Edit7"));
    QCOMPARE(list->width(), 31);
    QCOMPARE(win.text("Edit7"), QString("12"));
    win.enter();
    QCOMPARE(win.focus(), win.get("Edit5"));
    QCOMPARE(win.label("Label16")->text(), QString("OFICINA"));
}

void TestMovement::costCentreCode_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("known") << "12" << "12" << "OFICINA";
    QTest::newRow("unknown") << "99" << "0" << "";
    QTest::newRow("letters") << "AB" << "0" << "";
    QTest::newRow("decimal") << "12,5" << "0" << "";
}

void TestMovement::costCentreCode()
{
    QFETCH(QString, typed);
    QFETCH(QString, code);
    QFETCH(QString, name);
    World world;
    Window win;
    upToQuantity(win, "1", "0");
    win.typeHere("1");
    win.enter();
    win.enter();
    win.typeHere(typed);
    win.enter();
    QCOMPARE(win.focus(), win.get("Edit5"));
    QCOMPARE(win.text("Edit7"), code);
    QCOMPARE(win.label("Label16")->text(), name);
    QCOMPARE(messages(), QStringList()); // an unknown centre is silently 0
}

void TestMovement::lotsBecomeZero()
{
    World world;
    const int before = maxLedgerId(*world.logon);
    ledger(*world.logon, "000001", Yesterday, 1, 0, "null");
    ledger(*world.logon, "000001", Yesterday, 1, 0, "''");
    ledger(*world.logon, "000001", Yesterday, 1, 0, "'L1'");
    Window win;
    win.code("2");
    const auto lots = [&] {
        QStringList out;
        for (const auto &r : rows(*world.logon, QStringLiteral("select sdata from estfic where id > %1 order by id")
                                                    .arg(before)))
            out << (r[0].isNull() ? QStringLiteral("null") : r[0].toString());
        return out;
    };
    QCOMPARE(lots(), (QStringList{"0", "0", "L1"}));

    // The window records its movements without a lot: they become "0" too.
    win.enter();
    win.enter();
    win.typeHere("1");
    win.enter();
    win.typeHere("1");
    win.confirme();
    QCOMPARE(lots().last(), QString());
    win.code("2");
    QCOMPARE(lots().last(), QString("0"));
}

void TestMovement::supplierField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name"); // empty: unknown, the product's supplier comes back
    QTest::newRow("known") << "9" << "FORNECEDOR NOVE";
    QTest::newRow("unknown") << "8" << "";
    QTest::newRow("letters") << "AB" << "";
    QTest::newRow("decimal") << "9,5" << "";
}

void TestMovement::supplierField()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    World world;
    Window win;
    upToQuantity(win, "1", "1");
    win.typeHere("1");
    win.enter();
    win.enter();
    QCOMPARE(win.focus(), win.get("Edit6"));
    QVERIFY(win.get<QToolButton>("SpeedButton2")->isVisible());
    win.typeHere(typed);
    win.enter();
    QCOMPARE(win.label("Label23")->text(), name);
    if (name.isEmpty()) {
        QCOMPARE(messages(), QStringList{"        Fornecedor não Localizado          "});
        QCOMPARE(win.text("Edit6"), QString("7"));
        QCOMPARE(win.focus(), win.get("Edit6"));
    } else {
        QCOMPARE(messages(), QStringList());
        QCOMPARE(win.text("Edit6"), typed);
        QCOMPARE(win.focus(), win.get<QPushButton>("BitBtn1"));
    }
}

void TestMovement::customerField()
{
    World world;
    customer(*world.logon, 5, "CLIENTE CINCO");
    Window win;
    upToQuantity(win, "1", "0");
    win.typeHere("1");
    win.enter();
    win.enter();
    win.enter();
    QCOMPARE(win.focus(), win.get("Edit5"));
    QVERIFY(win.get<QToolButton>("SpeedButton3")->isVisible());
    win.typeHere("5");
    win.enter();
    QCOMPARE(win.label("Label15")->text(), QString("CLIENTE CINCO"));
    QCOMPARE(win.focus(), win.get<QPushButton>("BitBtn1"));
    QCOMPARE(messages(), QStringList());

    // An unknown customer opens the customer search at once; the chosen
    // customer (the first by name) fills the field.
    win.click(win.get("Edit5"));
    win.typeHere("8");
    Dialogs::queueModal([](QDialog *search) { search->accept(); });
    win.enter();
    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].text, QString("        Cliente não Localizado          "));
    QCOMPARE(shown[1].kind, QString("modal"));
    QCOMPARE(shown[1].caption, QString("Busca"));
    win.reactivate();
    QCOMPARE(win.text("Edit5"), QString("5"));
    QCOMPARE(win.label("Label15")->text(), QString("CLIENTE CINCO"));
    QCOMPARE(win.focus(), win.get("Edit5"));
}

void TestMovement::productSearch()
{
    World world;
    Window win;
    Dialogs::queueModal([](QDialog *search) { search->accept(); });
    win.get<QToolButton>("SpeedButton1")->click();
    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].caption, QString("Localiza Produto"));
    win.reactivate();
    // The first product by name.
    QCOMPARE(win.text("Edit1"), QString("000003"));
    QCOMPARE(win.label("Label2")->text(), QString("ARRUELA"));
    QCOMPARE(win.focus(), win.get("Edit1"));
    win.enter();
    QCOMPARE(win.label("Label13")->text(), QString("5"));
}

void TestMovement::naoConfirmar()
{
    World world;
    const int before = maxLedgerId(*world.logon);
    Window win;
    upToQuantity(win, "1", "1");
    win.typeHere("5");
    auto *nao = win.get<QPushButton>("BitBtn3");
    win.click(nao);
    nao->click();
    for (const char *field : {"Edit1", "Edit2", "Edit3", "Edit4", "MaskEdit1", "MaskEdit2"})
        QVERIFY2(win.text(field).remove(QLatin1Char('/')).isEmpty(), field);
    QCOMPARE(win.focus(), win.get("Edit1"));
    QCOMPARE(maxLedgerId(*world.logon), before);
    QCOMPARE(logTexts(*world.logon), QStringList());

    // Without a date, the movement is dated today.
    upToQuantity(win, "1", "1");
    win.typeHere("5");
    win.confirme();
    QCOMPARE(scalar(*world.logon, QStringLiteral("select data from estfic where id = %1").arg(before + 1)).toDate(),
             Today);
    QCOMPARE(win.text("MaskEdit1"), QString("14/05/26"));
}

void TestMovement::retornarClosesSharedQueries()
{
    World world;
    Window win;
    win.code("1");
    QVERIFY(world.logon->Produtos.active());
    auto *retornar = win.get<QPushButton>("BitBtn2");
    win.click(retornar);
    retornar->click();
    QVERIFY(!win.w.isVisible());
    QVERIFY(!world.logon->Produtos.active());
    QVERIFY(!world.logon->Atualiza.active());
}

void TestMovement::severalItemButtonsOpenNothing()
{
    World world;
    Window win;
    win.get<QPushButton>("BitBtn4")->click();
    win.get<QPushButton>("BitBtn5")->click();
    QVERIFY(Dialogs::takeShown().isEmpty());
    QVERIFY(win.w.isVisible());
}

void TestMovement::unknownProductRefused()
{
    World world;
    Window win;
    win.code("999");
    QCOMPARE(messages(), QStringList{NotFound});
    QCOMPARE(win.focus(), win.get("Edit1"));
    // "Confirme" all the same: refused before anything is written.
    win.get<QPushButton>("BitBtn1")->click();
    QCOMPARE(messages(), QStringList{NotFound});
    QCOMPARE(win.focus(), win.get("Edit1"));
    QCOMPARE(win.text("Edit1"), QString("000999"));

    // The same straight through the confirmation: no row with an empty code.
    MovementFields f;
    f.code = "999";
    f.date = "14/05/26";
    f.type = "1";
    f.quantity = "5";
    f.cost = "2";
    f.balance = "0";
    const ConfirmResult result = confirmMovement(*world.logon, f);
    QCOMPARE(result.outcome, ConfirmResult::ProductNotFound);
    QCOMPARE(messages(), QStringList{NotFound});
    QCOMPARE(scalar(*world.logon, "select count(*) from estfic where coalesce(codigo, '') in ('', '000999')").toInt(),
             0);
    QCOMPARE(logTexts(*world.logon), QStringList());
}

void TestMovement::decimalCodesRepairedBeforeWriting_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("supplier");
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QString>("costCentre");
    QTest::addColumn<QString>("row");
    QTest::newRow("supplier 1,5 on an entry") << "1" << "1,5" << "3" << "0" << "000001 e2 s0 v4 cc0 p0 c3";
    QTest::newRow("customer 2,5") << "1" << "9" << "2,5" << "0" << "000001 e2 s0 v4 cc0 p9 c0";
    QTest::newRow("cost centre 1,5 on an exit") << "0" << "9" << "3" << "1,5" << "000001 e0 s2 v4 cc0 p0 c3";
    QTest::newRow("beyond an integer") << "1" << "99999999999" << "3" << "0" << "000001 e2 s0 v4 cc0 p0 c3";
}

void TestMovement::decimalCodesRepairedBeforeWriting()
{
    QFETCH(QString, type);
    QFETCH(QString, supplier);
    QFETCH(QString, customer);
    QFETCH(QString, costCentre);
    QFETCH(QString, row);
    World world;
    const int before = maxLedgerId(*world.logon);
    MovementFields f;
    f.code = "000001";
    f.date = "14/05/26";
    f.type = type;
    f.quantity = "2";
    f.cost = "4";
    f.supplier = supplier;
    f.customer = customer;
    f.costCentre = costCentre;
    f.balance = "10";
    const ConfirmResult result = confirmMovement(*world.logon, f);
    QCOMPARE(result.outcome, ConfirmResult::Recorded);
    QCOMPARE(ledgerAfter(*world.logon, before), QStringList{row});
    QCOMPARE(logTexts(*world.logon).size(), 1);
    QCOMPARE(scalar(*world.logon, QStringLiteral("select nfiscal from estfic where id > %1").arg(before)).toString(),
             customer == QLatin1String("3") ? QString("3") : QString("0"));
    if (type == QLatin1String("1"))
        QCOMPARE(scalar(*world.logon, "select fornecedor from produtos where codigo = '000001'").toString(),
                 supplier == QLatin1String("9") ? QString("9") : QString("0"));
    // Cleared, so that a second "Confirme" has nothing to record.
    QCOMPARE(f.code, QString());
    QCOMPARE(f.quantity, QString());
}

void TestMovement::secondConfirmeWritesNothing()
{
    World world;
    const int before = maxLedgerId(*world.logon);
    Window win;
    upToQuantity(win, "1", "1");
    win.typeHere("2");
    win.confirme();
    win.confirme();
    QCOMPARE(messages(), QStringList{NotFound});
    QCOMPARE(ledgerAfter(*world.logon, before).size(), 1);
    QCOMPARE(logTexts(*world.logon).size(), 1);
}

void TestMovement::exitWithoutQuantityWhenForbidden()
{
    World world;
    forbidNegative(*world.logon, true);
    const int before = maxLedgerId(*world.logon);
    Window win;
    upToQuantity(win, "1", "0");
    win.enter();
    win.confirme();
    // The check cannot weigh a quantity that is no number: the conversion
    // error is shown and nothing is written.
    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("error"));
    QCOMPARE(maxLedgerId(*world.logon), before);
    QCOMPARE(logTexts(*world.logon), QStringList());
    QCOMPARE(win.text("Edit1"), QString("000001"));
}

void TestMovement::longTextsCutToTheirColumns()
{
    World world;
    const QString longText = QStringLiteral("HISTORICO COM MAIS DE TRINTA CARACTERES");
    Window win;
    win.code("1");
    win.enter();
    win.typeHere(longText);
    QCOMPARE(win.text("Edit2"), longText.left(30));

    const int before = maxLedgerId(*world.logon);
    MovementFields f;
    f.code = "1";
    f.date = "14/05/26";
    f.type = "1";
    f.quantity = "1";
    f.cost = "1";
    f.history = longText;
    f.lot = " LOTE-ABCDEFGH ";
    f.balance = "10";
    QCOMPARE(confirmMovement(*world.logon, f).outcome, ConfirmResult::Recorded);
    const auto r = rows(*world.logon, QStringLiteral("select historico, sdata from estfic where id > %1").arg(before));
    QCOMPARE(r.size(), 1);
    QCOMPARE(r[0], (QVariantList{longText.left(30), "LOTE-ABCD"}));
}

TAMBLO_TEST_MAIN(TestMovement)
#include "tst_movement.moc"
