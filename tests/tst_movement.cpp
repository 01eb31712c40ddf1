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

TAMBLO_TEST_MAIN(TestMovement)
#include "tst_movement.moc"
