// Bad input in every text field of every window: apostrophes, quotes,
// statement fragments, very long texts, letters in numbers, impossible dates,
// numbers out of range, blanks and non-Latin text. Each value is typed into
// one field of a fresh window on a fresh database, the field is left the way
// an operator leaves it (Enter along the chain, or the window's confirm
// button), every question and modal window is answered, and then:
//   - no error box shows a broken statement, and no other error box shows
//     unless the window refuses the value with its conversion message;
//   - what was stored is the value as typed (upper case where the field is,
//     cut only by the column), or the window's repair of it ("0", today);
//   - a number never comes back as another number (no wrap-around);
//   - no table lost a row, and only the tables the window writes gained any;
//   - Firebird's own validation finds the database file sound.
#include "tests/support/TestEnv.h"

#include "app/TFormAcessos.h"
#include "app/TFormEmpresa.h"
#include "app/TFormProtecao.h"
#include "app/TFormSetupRede.h"
#include "data/Clock.h"
#include "data/Globals.h"
#include "data/Schema.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "movements/TFormMovEst2.h"
#include "registries/PickWindow.h"
#include "registries/TFormBusca.h"
#include "registries/TFormBuscaForne.h"
#include "registries/TFormCCustos.h"
#include "registries/TFormEstIni.h"
#include "registries/TFormKit.h"
#include "registries/TFormKitItens.h"
#include "registries/TFormLcPro.h"
#include "registries/TFormProd.h"
#include "registries/TFormTipos.h"
#include "reports/ReportPreview.h"
#include "reports/TFormImpRap.h"
#include "ui/Dialogs.h"
#include "ui/ShowModal.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTextStream>

#include <functional>
#include <memory>
#include <optional>

namespace {

const QDate Today(2026, 5, 14);

// ------------------------------------------------------------------ inputs

// One bad value, with what it means where a number or a code is expected.
// None of them is a possible date.
struct Input
{
    const char *name;
    QString text;
    std::optional<double> number; // a number as the program reads one (decimal comma)
    std::optional<int> code;      // a whole number that fits an INTEGER code column
};

const QList<Input> &inputs()
{
    static const QList<Input> list = {
        {"apostrophe", QStringLiteral("D'AVILA"), {}, {}},
        {"two apostrophes", QStringLiteral("''"), {}, {}},
        {"one apostrophe", QStringLiteral("'"), {}, {}},
        {"double quotes", QStringLiteral("\"ASPAS\" \""), {}, {}},
        {"semicolons", QStringLiteral("A;B;"), {}, {}},
        {"comment", QStringLiteral("--"), {}, {}},
        {"injection", QStringLiteral("'; delete from produtos; --"), {}, {}},
        {"injection closing a bracket", QStringLiteral("'); delete from estfic; --"), {}, {}},
        {"tautology", QStringLiteral("X' OR '1'='1"), {}, {}},
        {"1000 letters", QString(1000, QLatin1Char('X')), {}, {}},
        {"1000 apostrophes", QString(1000, QLatin1Char('\'')), {}, {}},
        {"1000 ideograms", QString(1000, QChar(0x65E5)), {}, {}},
        {"letters", QStringLiteral("abc"), {}, {}},
        {"several commas", QStringLiteral("1,2,3"), {}, {}},
        {"exponent beyond double", QStringLiteral("1e999"), {}, {}},
        {"double minus", QStringLiteral("--5"), {}, {}},
        {"31 February", QStringLiteral("31/02/21"), {}, {}},
        {"blank date", QStringLiteral("  /  /  "), {}, {}},
        {"99/99/99", QStringLiteral("99/99/99"), {}, {}},
        {"29 February of 2021", QStringLiteral("29/02/21"), {}, {}},
        // The largest code there is: where such a code exists, it must be moved.
        {"int max", QStringLiteral("2147483647"), 2147483647.0, 2147483647},
        {"int max + 1", QStringLiteral("2147483648"), 2147483648.0, {}},
        {"int min - 1", QStringLiteral("-2147483649"), -2147483649.0, {}},
        // Beyond fifteen digits a number cannot be stored as typed: no number.
        {"1e308", QStringLiteral("1e308"), {}, {}},
        {"21 nines", QStringLiteral("999999999999999999999"), {}, {}},
        {"17 digits", QStringLiteral("12345678901234567"), {}, {}},
        {"largest that reads", QStringLiteral("999999999999999"), 999999999999999.0, {}},
        {"empty", QString(), {}, {}},
        {"blank", QStringLiteral("   "), {}, {}},
        {"japanese", QStringLiteral("日本語"), {}, {}},
        {"emoji", QStringLiteral("😀 ÇÃO"), {}, {}},
    };
    return list;
}

// ------------------------------------------------------------------ helpers

template <typename T = QLineEdit>
T *child(QWidget *w, const QString &name)
{
    T *c = w->findChild<T *>(name);
    if (!c)
        qFatal("no child %s in %s", qPrintable(name), qPrintable(w->objectName()));
    return c;
}

// Shown and active, so that focus moves are real moves.
void showActive(QWidget &w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

void click(QWidget *w) { w->setFocus(Qt::MouseFocusReason); }
bool hasFocus(const QWidget *w) { return QApplication::focusWidget() == w; }
void enter(QWidget *w) { QTest::keyClick(w, Qt::Key_Return); }
// A click on a button moves the focus to it first, as the mouse does.
void press(QWidget *window, const char *name)
{
    auto *b = child<QAbstractButton>(window, QString::fromLatin1(name));
    click(b);
    b->click();
}

// The operator clicks into the field and puts the text in it; returns what
// the field then holds (upper case, masks and the column's length applied).
QString type(QLineEdit *e, const QString &text)
{
    click(e);
    e->setText(text);
    return e->text();
}

// Qt binds a null string as NULL: an empty text is seeded as ''.
QString nonNull(const QString &text) { return text.isNull() ? QStringLiteral("") : text; }

// A statement of the test's own, values bound: the seeds never depend on the
// quoting under test.
void bound(TLOGON &db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db.database());
    QVERIFY2(q.prepare(sql), qPrintable(q.lastError().text()));
    for (const QVariant &v : values)
        q.addBindValue(v);
    QVERIFY2(q.exec(), qPrintable(sql + QLatin1Char('\n') + q.lastError().text()));
}

QList<QVariantList> rows(TLOGON &db, const QString &sql)
{
    QList<QVariantList> out;
    QSqlQuery q(db.database());
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i)
            row << q.value(i);
        out << row;
    }
    return out;
}

QVariant value(TLOGON &db, const QString &sql)
{
    const auto r = rows(db, sql);
    return r.isEmpty() || r.first().isEmpty() ? QVariant() : r.first().first();
}

// Texts as stored: null reads as "" (an untouched empty field stays null).
QString text(TLOGON &db, const QString &sql) { return value(db, sql).toString(); }

int columnLength(TLOGON &db, const QString &table, const QString &column)
{
    return value(db, QStringLiteral("select f.rdb$character_length from rdb$relation_fields rf "
                                    "join rdb$fields f on f.rdb$field_name = rf.rdb$field_source "
                                    "where rf.rdb$relation_name = '%1' and rf.rdb$field_name = '%2'")
                         .arg(table.toUpper(), column.toUpper()))
        .toInt();
}

QMap<QString, int> tableCounts(TLOGON &db)
{
    QMap<QString, int> out;
    for (const QString &table : Schema::tables())
        out.insert(table, value(db, QStringLiteral("select count(*) from ") + table).toInt());
    return out;
}

QStringList shownOf(const QString &kind)
{
    QStringList out;
    for (const auto &s : Dialogs::shown())
        if (s.kind == kind)
            out << s.text;
    return out;
}

// What a typed text becomes in a field: capitals where the field makes them,
// no more characters than the column holds.
QString asTyped(const QString &text, bool upper, int length)
{
    return (upper ? text.toUpper() : text).left(length);
}

bool brokenStatement(const QString &error)
{
    for (const char *mark : {"Dynamic SQL Error", "Token unknown", "Unexpected end of command", "SQL error code",
                             "Unable to execute", "Unable to prepare"})
        if (error.contains(QLatin1String(mark), Qt::CaseInsensitive))
            return true;
    return false;
}

// The conversion messages with which a window refuses a value it cannot read.
bool conversionRefusal(const QString &error)
{
    return error.contains(QStringLiteral("não é um valor numérico válido"))
        || error.contains(QStringLiteral("não é uma data válida"))
        || error.contains(QStringLiteral("não é um número inteiro válido"));
}

// ------------------------------------------------------------------ the table

// One combination being run.
struct Run
{
    TLOGON &db;
    const Input &input;
    QString field;
    QString shown;              // the field's text right after the value was typed
    QMap<QString, int> before;  // row counts once the case's own rows are in
};

// The rows a case puts in before the window opens are not the window's writes.
void seeded(Run &r) { r.before = tableCounts(r.db); }

struct Case
{
    const char *window;
    const char *field;
    const char *leave;       // how the value is left or confirmed
    QStringList writes;      // tables that may gain rows
    bool refusesByConversion = false; // the window may answer with its conversion message
    std::function<void(Run &)> drive; // seeds, opens, types, leaves, checks, closes
};

// ---- login and supervisor windows (names and passwords compared in memory)

template <typename Window>
void drivePassword(Run &r)
{
    const QString user = CurrentUserName;
    Window w;
    showActive(w);
    auto *name = child(&w, QStringLiteral("Edit1"));
    auto *password = child(&w, QStringLiteral("Edit2"));
    const bool typingName = r.field == QLatin1String("Edit1");
    r.shown = type(name, typingName ? r.input.text : QStringLiteral("KESTRUM"));
    enter(name);
    QVERIFY(hasFocus(password));
    const QString typed = type(password, typingName ? QStringLiteral("7358") : r.input.text);
    if (!typingName)
        r.shown = typed;
    enter(password);
    // Nobody is called that, nobody has that password: refused, window open.
    QCOMPARE(shownOf(QStringLiteral("message")), QStringList{QStringLiteral("Usuário ou Senha -> Está Incorreta")});
    QVERIFY(w.isVisible());
    QCOMPARE(CurrentUserName, user);
    QCOMPARE(OverrideRights, 0);
    QCOMPARE(OverrideIsMaster, QStringLiteral("N"));
    w.reject();
}

// ---- company data

void driveEmpresa(Run &r)
{
    const QString column = r.field == QLatin1String("DBEdit5") ? QStringLiteral("CNPJ") : QStringLiteral("IESTADUAL");
    const QString before = text(r.db, QStringLiteral("select empresa from empresa"));
    TFormEmpresa w;
    showActive(w);
    auto *e = child(&w, r.field);
    r.shown = type(e, r.input.text);
    enter(e);
    if (r.field == QLatin1String("DBEdit5"))
        enter(child(&w, QStringLiteral("DBEdit6")));
    QVERIFY(hasFocus(child<QPushButton>(&w, QStringLiteral("BitBtn1"))));
    press(&w, "BitBtn1");
    QVERIFY(!w.isVisible());
    QCOMPARE(text(r.db, QStringLiteral("select %1 from empresa").arg(column)),
             asTyped(r.input.text, true, columnLength(r.db, QStringLiteral("EMPRESA"), column)));
    QCOMPARE(text(r.db, QStringLiteral("select empresa from empresa")), before);
    QCOMPARE(CurrentCompanyName, before);
}

// ---- network setup: the address goes to a file, never to a statement

void driveSetupRede(Run &r)
{
    TFormSetupRede w;
    showActive(w);
    r.shown = type(child(&w, QStringLiteral("Edit1")), r.input.text);
    press(&w, "BitBtn1");
    QVERIFY(!w.isVisible());
    QFile file(TFormSetupRede::setupFile());
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    QCOMPARE(in.readLine(), r.input.text);
    QVERIFY(in.atEnd());
    QCOMPARE(shownOf(QStringLiteral("message")).size(), 1);
    // Read back at the next start by the rules of the start; never connected here.
    const QString address = TLOGON::readServerAddress(TFormSetupRede::setupFile());
    QVERIFY(address.isEmpty() || address == r.input.text);
}

// ---- families and cost centres

template <typename Window>
void driveCodeRegister(Run &r, const QString &table, const QString &nameColumn, bool upperName = true)
{
    Window w;
    showActive(w);
    press(&w, "BitBtn1"); // Novo: proposes code 1 in an empty table
    auto *code = child(&w, QStringLiteral("Edit1"));
    auto *name = child(&w, QStringLiteral("Edit2"));
    const bool typingCode = r.field == QLatin1String("Edit1");
    if (typingCode)
        r.shown = type(code, r.input.text);
    enter(code);
    QVERIFY(hasFocus(name));
    const QString typedName = type(name, typingCode ? QStringLiteral("NOME") : r.input.text);
    if (!typingCode)
        r.shown = typedName;
    enter(name);
    QVERIFY(hasFocus(child<QPushButton>(&w, QStringLiteral("BitBtn2"))));
    press(&w, "BitBtn2");

    const auto stored = rows(r.db, QStringLiteral("select codigo, %1 from %2").arg(nameColumn, table));
    QCOMPARE(stored.size(), 1);
    // A code that is not a whole number of the column is repaired to 0; none wraps.
    const int expectedCode = typingCode ? r.input.code.value_or(0) : 1;
    QCOMPARE(stored.first().at(0).toLongLong(), qint64(expectedCode));
    QCOMPARE(code->text(), QString::number(expectedCode));
    const QString expected = typingCode ? QStringLiteral("NOME")
                                        : asTyped(r.input.text, upperName, columnLength(r.db, table, nameColumn));
    QCOMPARE(stored.first().at(1).toString(), expected);
    press(&w, "BitBtn4");
    QVERIFY(!w.isVisible());
}

// ---- pick windows: the typed text only ever becomes a LIKE pattern

struct PickSeed
{
    QString table;
    QString column;   // the column the search looks in
    int kind;         // the kind chosen before typing (0: the preselected one)
    QString matching; // a row holding the typed text in that column (bound)
    QString other;    // a row that holds something else
};

template <typename Window>
void drivePick(Run &r, const PickSeed &p)
{
    const QString up = r.input.text.toUpper();
    bound(r.db, p.matching, {nonNull(up.left(columnLength(r.db, p.table, p.column)))});
    bound(r.db, p.other);
    seeded(r);

    Window w;
    showActive(w);
    if (p.kind > 0)
        child<QAbstractButton>(&w, QStringLiteral("RadioGroup1_%1").arg(p.kind))->click();
    auto *box = child(&w, QStringLiteral("Edit1"));
    r.shown = type(box, r.input.text);
    // The rows whose column holds the text: LIKE '%text%' with no wildcard typed.
    QStringList expected;
    for (const auto &row : rows(r.db, QStringLiteral("select codigo, %1 from %2").arg(p.column, p.table)))
        if (row.at(1).toString().contains(up))
            expected << row.at(0).toString().trimmed();
    QStringList listed;
    for (int i = 0; i < w.list()->count(); ++i)
        listed << w.list()->valueAt(i, QStringLiteral("CODIGO")).toString().trimmed();
    expected.sort();
    listed.sort();
    QCOMPARE(listed, expected);

    enter(box);
    QVERIFY(hasFocus(w.grid()));
    enter(w.grid());
    QVERIFY(!w.isVisible());
    // The chosen code is one of the rows found, or nothing when none was.
    QVERIFY(expected.isEmpty() ? SelectedCode.isEmpty() : expected.contains(SelectedCode.trimmed()));
}

// ---- product registry

enum class Kind { Text, Number, Date };

struct ProductField
{
    const char *edit;
    const char *column;
    Kind kind;
    bool upper;
};

const QList<ProductField> &productFields()
{
    static const QList<ProductField> list = {
        {"DBEdit1", "REFERENCIA", Kind::Text, true},  {"DBEdit2", "NOME", Kind::Text, true},
        {"DBEdit3", "EXTENDIDA", Kind::Text, false},  {"DBEdit4", "MEMO", Kind::Text, true},
        {"DBEdit5", "COR", Kind::Text, true},         {"DBEdit6", "NCM", Kind::Text, false},
        {"DBEdit7", "UNIDADE", Kind::Text, true},     {"DBEdit8", "MINIMO", Kind::Number, false},
        {"DBEdit9", "MAXIMO", Kind::Number, false},   {"DBEdit10", "IMPFISCAL", Kind::Text, true},
        {"DBEdit11", "LOCACAO", Kind::Text, true},    {"DBEdit12", "COR", Kind::Text, true},
        {"DBEdit13", "IPI", Kind::Number, false},     {"DBEdit14", "GARANTIA", Kind::Text, true},
        {"DBEdit15", "VALIDADE", Kind::Date, false},  {"DBEdit16", "NUMERO", Kind::Text, true},
        {"DBEdit17", "CUSTO", Kind::Number, false},   {"DBEdit18", "VALOR", Kind::Number, false},
    };
    return list;
}

void seedProduct(TLOGON &db)
{
    bound(db, QStringLiteral("insert into produtos (id, codigo, nome, custo, valor, medio, fornecedor, locacao) "
                             "values (gen_id(produto, 1), '000001', 'PARAFUSO', 3.5, 5, 3.5, 7, 'A1')"));
    bound(db, QStringLiteral("insert into estfic (id, codigo, data, historico, entrada, saida, valor, sdata) "
                             "values (gen_id(estfic, 1), '000001', '05/13/2026', 'ANTERIOR', 10, 0, 3.5, '0')"));
}

void driveProductCode(Run &r)
{
    seedProduct(r.db);
    seeded(r);
    Dialogs::queueAnswer(Dialogs::Answer::Yes); // "Produto nao Localizado, Cadastra?"
    TFormProd w;
    showActive(w);
    auto *code = child(&w, QStringLiteral("Edit1"));
    r.shown = type(code, r.input.text);
    enter(code);
    // No input reads as a whole number of 32 bits: the code is kept as typed,
    // trimmed (2147483648 must not come back as -2147483648 nor as 000000).
    const QString expected = asTyped(r.input.text, true, columnLength(r.db, "PRODUTOS", "CODIGO")).trimmed();
    if (expected.isEmpty()) {
        QVERIFY(!w.isVisible()); // leaving the code empty closes the window
        QCOMPARE(value(r.db, "select count(*) from produtos").toInt(), 1);
        return;
    }
    QCOMPARE(shownOf(QStringLiteral("question")), QStringList{QStringLiteral("Produto nao Localizado, Cadastra?")});
    const auto created = rows(r.db, "select codigo from produtos where codigo <> '000001'");
    QCOMPARE(created.size(), 1);
    QCOMPARE(created.first().first().toString(), expected);
    QCOMPARE(code->text(), expected);
    QCOMPARE(w.copy()->text(QStringLiteral("CODIGO")), expected);
    QVERIFY(hasFocus(child(&w, QStringLiteral("DBEdit1"))));
    w.reject();
}

void driveProductField(Run &r)
{
    seedProduct(r.db);
    seeded(r);
    const ProductField *pf = nullptr;
    for (const ProductField &f : productFields())
        if (r.field == QLatin1String(f.edit))
            pf = &f;
    QVERIFY(pf);
    const QString column = QString::fromLatin1(pf->column);
    const QString select = QStringLiteral("select %1 from produtos where codigo = '000001'").arg(column);
    const QVariant before = value(r.db, select);

    TFormProd w;
    showActive(w);
    QCOMPARE(child(&w, QStringLiteral("Edit1"))->text(), QStringLiteral("000001"));
    auto *e = child(&w, r.field);
    r.shown = type(e, r.input.text);
    enter(e); // Enter in "Obs" confirms by itself; in "Referencia" it does nothing
    press(&w, "BitBtn8");
    const QStringList errors = shownOf(QStringLiteral("error"));
    const QVariant after = value(r.db, select);

    switch (pf->kind) {
    case Kind::Text:
        QCOMPARE(after.toString(), asTyped(r.input.text, pf->upper, columnLength(r.db, "PRODUTOS", column)));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        break;
    case Kind::Number:
        if (r.input.number) {
            QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
            QCOMPARE(after.toDouble(), *r.input.number);
        } else if (r.input.text.trimmed().isEmpty()) {
            QVERIFY(after.isNull()); // an emptied number is no number
        } else {
            QCOMPARE(after, before); // refused: nothing written
            QVERIFY(!errors.isEmpty());
        }
        break;
    case Kind::Date:
        // No input is a possible date; "  /  /  " is no date at all.
        if (r.input.text.trimmed().isEmpty() || r.input.text.trimmed() == QLatin1String("/  /"))
            QVERIFY(after.isNull());
        else {
            QCOMPARE(after, before);
            QVERIFY(!errors.isEmpty());
        }
        break;
    }
    // The other columns of the product are as they were.
    QCOMPARE(text(r.db, "select nome from produtos where codigo = '000001'"),
             column == QLatin1String("NOME") ? after.toString() : QStringLiteral("PARAFUSO"));
    w.reject();
}

// The code of the product whose data a new product copies comes from an input box.
void driveProductClone(Run &r)
{
    seedProduct(r.db);
    seeded(r);
    Dialogs::queueAnswer(Dialogs::Answer::Yes); // "Produto nao Localizado, Cadastra?"
    TFormProd w;
    showActive(w);
    auto *code = child(&w, QStringLiteral("Edit1"));
    type(code, QStringLiteral("000002"));
    enter(code);
    QVERIFY(child<QPushButton>(&w, QStringLiteral("BitBtn3"))->isEnabled());
    Dialogs::queueText(r.input.text);
    r.shown = r.input.text;
    press(&w, "BitBtn3");
    QVERIFY(shownOf(QStringLiteral("input")).size() == 1);
    // No input is the code of a product: nothing to copy, said when a code was typed.
    QCOMPARE(shownOf(QStringLiteral("message")).contains(QStringLiteral("        Produto Nao Localizado          ")),
             !r.input.text.trimmed().isEmpty());
    press(&w, "BitBtn8");
    QCOMPARE(text(r.db, "select nome from produtos where codigo = '000002'"), QString());
    QCOMPARE(text(r.db, "select nome from produtos where codigo = '000001'"), QStringLiteral("PARAFUSO"));
    w.reject();
}

// ---- initial stock

void driveEstIni(Run &r)
{
    bound(r.db, "insert into produtos (id, codigo, nome) values (gen_id(produto, 1), '000007', 'PREGO')");
    seeded(r);
    InitialStockDate = Today;
    SelectedCode = QStringLiteral("000007");
    bool confirmed = false;
    Dialogs::queueModal([&](QDialog *d) {
        auto *field = child(d, r.field);
        r.shown = type(field, r.input.text);
        if (r.field == QLatin1String("Edit1")) {
            enter(field);
            QVERIFY(d->focusWidget() == child<QPushButton>(d, QStringLiteral("BitBtn1")));
        }
        child<QPushButton>(d, QStringLiteral("BitBtn1"))->click();
        confirmed = !d->isVisible();

    });
    ShowModalForm<TFormEstIni>(nullptr);
    const auto written = rows(r.db, "select entrada, data from estfic where codigo = '000007'");
    if (r.field == QLatin1String("MaskEdit1")) {
        // A date that does not read is refused at "Confirme"; the window stays
        // and, closed, writes nothing.
        QVERIFY(!confirmed);
        QCOMPARE(written.size(), 0);
    } else {
        QVERIFY(confirmed);
        QCOMPARE(written.size(), r.input.number ? 1 : 0);
        if (r.input.number) {
            QCOMPARE(written.first().at(0).toDouble(), *r.input.number);
            QCOMPARE(written.first().at(1).toDate(), Today);
        }
    }
    if (written.isEmpty())
        QCOMPARE(shownOf(QStringLiteral("message")), QStringList{QStringLiteral("    valor tem quer ser numerico      ")});
}

// ---- stock movement

void seedMovementWorld(Run &r)
{
    seedProduct(r.db);
    bound(r.db, "insert into fornecedor (id, codigo, nome) values (gen_id(forne, 1), 7, 'FORNECEDOR SETE')");
    bound(r.db, "insert into clientes (id, codigo, nome) values (gen_id(cliente, 1), 3, 'CLIENTE TRES')");
    bound(r.db, "insert into genero (id, codigo, genero) values (gen_id(genero, 1), 12, 'OFICINA')");
    // A code typed in a code field names a supplier, customer and cost centre
    // that exist, as another window may have registered them.
    if (r.input.code) {
        bound(r.db, "insert into fornecedor (id, codigo, nome) values (gen_id(forne, 1), ?, 'FORNECEDOR GRANDE')",
              {*r.input.code});
        bound(r.db, "insert into clientes (id, codigo, nome) values (gen_id(cliente, 1), ?, 'CLIENTE GRANDE')",
              {*r.input.code});
        bound(r.db, "insert into genero (id, codigo, genero) values (gen_id(genero, 1), ?, 'GRANDE')",
              {*r.input.code});
    }
    seeded(r);
}

void driveMovement(Run &r)
{
    seedMovementWorld(r);
    // "Edit1 (kit)": the code field holding "/" and the text, a kit code.
    const bool kitCode = r.field == QLatin1String("Edit1 (kit)");
    const QString field = kitCode ? QStringLiteral("Edit1") : r.field;
    const QString typed = kitCode ? QLatin1Char('/') + r.input.text : r.input.text;
    // The customer and cost-centre fields are filled in an exit, the others in an entry.
    const bool exitCase = field == QLatin1String("Edit7") || field == QLatin1String("Edit5");
    TFormMovEst2 w;
    showActive(w);
    auto step = [&](const char *name, const QString &good) {
        auto *e = child(&w, QString::fromLatin1(name));
        const bool tested = field == QLatin1String(name);
        const QString shown = type(e, tested ? typed : good);
        if (tested)
            r.shown = shown;
        enter(e);
    };
    step("Edit1", "000001");
    step("MaskEdit1", "14/05/26");
    step("Edit2", "HISTORICO");
    step("MaskEdit2", exitCase ? "0" : "1");
    step("Edit3", exitCase ? "1" : "2");
    if (exitCase) {
        enter(child<QComboBox>(&w, QStringLiteral("ComboBox1"))); // the list gives centre 12
        step("Edit7", "12");
        step("Edit5", "3");
    } else {
        step("Edit4", "3,5");
        step("Edit6", "7");
    }
    press(&w, "BitBtn1");

    const auto ledger = rows(r.db, "select codigo, data, historico, entrada, saida, valor, pedido, ccusto, cliente, "
                                   "nfiscal from estfic where historico <> 'ANTERIOR'");
    const int logs = value(r.db, "select count(*) from logs").toInt();
    const QStringList messages = shownOf(QStringLiteral("message"));
    const QStringList errors = shownOf(QStringLiteral("error"));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    if (field == QLatin1String("Edit1")) {
        // No input names a product or a kit: nothing is written, not even a log row.
        QCOMPARE(ledger.size(), 0);
        QCOMPARE(logs, 0);
        QVERIFY(messages.contains(MovementTexts::ProductNotFound));
        w.close();
        return;
    }
    QCOMPARE(ledger.size(), 1);
    QCOMPARE(logs, 1);
    const QVariantList &row = ledger.first();
    QCOMPARE(row.at(0).toString(), QStringLiteral("000001"));
    // An impossible date becomes today.
    QCOMPARE(row.at(1).toDate(), Today);
    QCOMPARE(row.at(2).toString(),
             field == QLatin1String("Edit2") ? asTyped(r.input.text, true, columnLength(r.db, "ESTFIC", "HISTORICO"))
                                             : QStringLiteral("HISTORICO"));
    if (field == QLatin1String("MaskEdit2")) {
        // The type field takes one digit; anything but "0" records an entry.
        const bool isExit = r.shown == QLatin1String("0");
        QCOMPARE(row.at(3).toDouble(), isExit ? 0.0 : 2.0);
        QCOMPARE(row.at(4).toDouble(), isExit ? 2.0 : 0.0);
    } else if (exitCase) {
        QCOMPARE(row.at(3).toDouble(), 0.0);
        QCOMPARE(row.at(4).toDouble(), 1.0);
        QCOMPARE(row.at(5).toDouble(), 3.5);
        // A cost centre that is not a whole number, or not registered, becomes 0.
        QCOMPARE(row.at(7).toInt(), field == QLatin1String("Edit7") ? r.input.code.value_or(0) : 12);
        // An unknown customer opens the customer search, whose highlighted
        // customer (the only one, 3) comes back when it closes.
        const int customer = field == QLatin1String("Edit5") ? r.input.code.value_or(3) : 3;
        QCOMPARE(row.at(8).toInt(), customer);
        QCOMPARE(row.at(9).toInt(), customer);
        QCOMPARE(messages.contains(MovementTexts::CustomerNotFound),
                 field == QLatin1String("Edit5") && !r.input.code);
    } else {
        const double quantity = field == QLatin1String("Edit3") ? r.input.number.value_or(0.0) : 2.0;
        const double cost = field == QLatin1String("Edit4") ? r.input.number.value_or(0.0) : 3.5;
        QCOMPARE(row.at(3).toDouble(), quantity);
        QCOMPARE(row.at(4).toDouble(), 0.0);
        QCOMPARE(row.at(5).toDouble(), cost);
        // An unknown supplier puts the product's own (7) back.
        const int supplier = field == QLatin1String("Edit6") ? r.input.code.value_or(7) : 7;
        QCOMPARE(row.at(6).toInt(), supplier);
        QCOMPARE(messages.contains(MovementTexts::SupplierNotFound), field == QLatin1String("Edit6") && !r.input.code);
        // The cost, repaired to 0 when it does not read, becomes the product's last cost.
        QCOMPARE(value(r.db, "select custo from produtos where codigo = '000001'").toDouble(), cost);
        QCOMPARE(value(r.db, "select fornecedor from produtos where codigo = '000001'").toInt(), supplier);
    }
    w.close();
}

// ---- current stock position: the text arrives through the group list

void driveStockPosition(Run &r)
{
    const QString up = r.input.text.toUpper();
    bound(r.db, "insert into tipos (id, codigo, nome) values (gen_id(outros, 1), 7, ?)",
          {nonNull(up.left(columnLength(r.db, "TIPOS", "NOME")))});
    bound(r.db, "insert into produtos (id, codigo, nome, classe, custo, valor) values (gen_id(produto, 1), "
                "'000001', 'PARAFUSO', '7', 1, 2)");
    const QString code = nonNull(up.left(columnLength(r.db, "PRODUTOS", "CODIGO")));
    const QString productName = nonNull(up.left(columnLength(r.db, "PRODUTOS", "NOME")));
    bound(r.db, "insert into produtos (id, codigo, nome, classe, custo, valor) values (gen_id(produto, 1), ?, ?, "
                "'7', 1, 2)",
          {code, productName});
    bound(r.db, "insert into estfic (id, codigo, data, historico, entrada, saida) values (gen_id(estfic, 1), ?, "
                "'05/13/2026', 'X', 4, 1)",
          {code});
    seeded(r);

    TFormImpRap w;
    showActive(w);
    auto *groups = child<QComboBox>(&w, QStringLiteral("ComboBox1"));
    const int item = groups->findText(QStringLiteral("0007 - ") + up.left(columnLength(r.db, "TIPOS", "NOME")));
    QVERIFY(item > 0);
    groups->setCurrentIndex(item);
    r.shown = groups->currentText();
    bool previewed = false;
    Dialogs::queueModal([&](QDialog *d) {
        previewed = qobject_cast<ReportPreview *>(d) != nullptr;
        d->reject();
    });
    press(&w, "BitBtn1");
    QVERIFY(previewed);
    const WorkTable &t = w.workTable();
    QStringList listed;
    for (int i = 0; i < t.rowCount(); ++i)
        listed << t.text(i, "Codigo") + QLatin1Char('|') + t.text(i, "Nome") + QLatin1Char('|')
                      + QString::number(t.number(i, "EstGeral"));
    QStringList expected{QStringLiteral("000001|PARAFUSO|0")};
    // A product whose code or name is blank is not listed.
    if (!code.trimmed().isEmpty() && !productName.trimmed().isEmpty())
        expected << code + QLatin1Char('|') + productName + QStringLiteral("|3");
    listed.sort();
    expected.sort();
    QCOMPARE(listed, expected);
    w.reject();
}

// ---- kits and their items

void seedKit(Run &r)
{
    seedProduct(r.db);
    bound(r.db, "insert into kitmaster (id, codigo, nome, valot) values (gen_id(kitmaster, 1), 'K1', 'KIT UM', 10)");
    seeded(r);
}

void driveKitCode(Run &r)
{
    seedKit(r);
    TFormKit w;
    showActive(w);
    press(&w, "BitBtn1"); // Novo Kit
    auto *code = child(&w, QStringLiteral("Edit1"));
    QVERIFY(hasFocus(code));
    r.shown = type(code, r.input.text);
    enter(code);
    // Kit codes are kept as typed, trimmed; an empty one closes the window.
    const QString expected = asTyped(r.input.text, true, columnLength(r.db, "KITMASTER", "CODIGO")).trimmed();
    const auto created = rows(r.db, "select codigo from kitmaster where codigo <> 'K1'");
    if (expected.isEmpty()) {
        QVERIFY(!w.isVisible());
        QCOMPARE(created.size(), 0);
        return;
    }
    QCOMPARE(created.size(), 1);
    QCOMPARE(created.first().first().toString(), expected);
    QVERIFY(hasFocus(child(&w, QStringLiteral("DBEdit2"))));
    QCOMPARE(w.copy()->text(QStringLiteral("CODIGO")), expected);
    w.reject();
}

// The kit's name or value, typed in its field or in the grid, then "Confirma".
void driveKitField(Run &r)
{
    seedKit(r);
    TFormKit w;
    showActive(w);
    const bool name = r.field == QLatin1String("DBEdit2") || r.field == QLatin1String("GridNome");
    if (r.field.startsWith(QLatin1String("Grid"))) {
        auto *grid = child<QTableView>(&w, QStringLiteral("DBGrid1"));
        const QModelIndex cell = grid->model()->index(0, name ? 1 : 2);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        auto *editor = child(grid, r.field);
        r.shown = type(editor, r.input.text);
        enter(editor); // the grid takes the value and closes its editor
        press(&w, "BitBtn3");
    } else {
        auto *e = child(&w, r.field);
        r.shown = type(e, r.input.text);
        enter(e);
        if (name)
            enter(child(&w, QStringLiteral("DBEdit3")));
        QVERIFY(hasFocus(child<QPushButton>(&w, QStringLiteral("BitBtn3"))));
        press(&w, "BitBtn3");
    }
    const QStringList errors = shownOf(QStringLiteral("error"));
    const auto kit = rows(r.db, "select nome, valot from kitmaster");
    QCOMPARE(kit.size(), 1);
    if (name) {
        QCOMPARE(kit.first().at(0).toString(),
                 asTyped(r.input.text, true, columnLength(r.db, "KITMASTER", "NOME")));
        QCOMPARE(kit.first().at(1).toDouble(), 10.0);
    } else {
        QCOMPARE(kit.first().at(0).toString(), QStringLiteral("KIT UM"));
        const QVariant valot = kit.first().at(1);
        if (r.input.number) {
            QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
            // VALOT is single precision: the value as that column holds it.
            QCOMPARE(valot.toFloat(), float(*r.input.number));
        } else if (r.input.text.trimmed().isEmpty()) {
            QVERIFY(valot.isNull());
        } else {
            QCOMPARE(valot.toDouble(), 10.0); // refused: nothing written
            QVERIFY(!errors.isEmpty());
        }
    }
    w.reject();
}

// An item of kit K1: its product code or its quantity, then "Confirma".
void driveKitItem(Run &r)
{
    seedKit(r);
    TFormKitItens w;
    w.setKit(QStringLiteral("K1"), QStringLiteral("KIT UM"), QStringLiteral("10,00"));
    showActive(w);
    press(&w, "BitBtn1"); // Novo Prod
    auto *code = child(&w, QStringLiteral("Edit4"));
    auto *quantity = child(&w, QStringLiteral("Edit6"));
    QVERIFY(hasFocus(code));
    const bool typingCode = r.field == QLatin1String("Edit4");
    const QString typedCode = type(code, typingCode ? r.input.text : QStringLiteral("000001"));
    if (typingCode)
        r.shown = typedCode;
    enter(code);
    const QString typedQuantity = type(quantity, typingCode ? QStringLiteral("2") : r.input.text);
    if (!typingCode)
        r.shown = typedQuantity;
    enter(quantity);
    press(&w, "BitBtn2");
    const auto items = rows(r.db, "select codigo, codprod, nome, quant from kitprod");
    if (typingCode) {
        // No input is the code of a product: no item, and the operator is told.
        QCOMPARE(items.size(), 0);
        QVERIFY(shownOf(QStringLiteral("message")).contains(QStringLiteral("         Produto não localizado          ")));
    } else {
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.first().at(0).toString(), QStringLiteral("K1"));
        QCOMPARE(items.first().at(1).toString(), QStringLiteral("000001"));
        QCOMPARE(items.first().at(2).toString(), QStringLiteral("PARAFUSO"));
        // A quantity that does not read is stored as 0.
        QCOMPARE(items.first().at(3).toDouble(), r.input.number.value_or(0.0));
    }
    w.reject();
}

// ------------------------------------------------------------------ the rows

const QList<Case> &cases()
{
    static const QList<Case> list = [] {
        QList<Case> c;
        const QStringList none;
        c << Case{"TFormProtecao", "Edit1", "Enter, Enter", none, false, drivePassword<TFormProtecao>};
        c << Case{"TFormProtecao", "Edit2", "Enter (Confirmar)", none, false, drivePassword<TFormProtecao>};
        c << Case{"TFormAcessos", "Edit1", "Enter, Enter", none, false, drivePassword<TFormAcessos>};
        c << Case{"TFormAcessos", "Edit2", "Enter (&Confirma)", none, false, drivePassword<TFormAcessos>};
        c << Case{"TFormEmpresa", "DBEdit5", "Enter, Enter, Retornar", none, false, driveEmpresa};
        c << Case{"TFormEmpresa", "DBEdit6", "Enter, Retornar", none, false, driveEmpresa};
        c << Case{"TFormSetupRede", "Edit1", "&C-Confirmar", none, false, driveSetupRede};
        c << Case{"TFormTipos", "Edit1", "Enter, Enter, Confirme", {"TIPOS"}, false,
                  [](Run &r) { driveCodeRegister<TFormTipos>(r, "TIPOS", "NOME"); }};
        c << Case{"TFormTipos", "Edit2", "Enter, Confirme", {"TIPOS"}, false,
                  [](Run &r) { driveCodeRegister<TFormTipos>(r, "TIPOS", "NOME"); }};
        c << Case{"TFormCCustos", "Edit1", "Enter, Enter, Confirme", {"GENERO"}, false,
                  [](Run &r) { driveCodeRegister<TFormCCustos>(r, "GENERO", "GENERO"); }};
        c << Case{"TFormCCustos", "Edit2", "Enter, Confirme", {"GENERO"}, false,
                  [](Run &r) { driveCodeRegister<TFormCCustos>(r, "GENERO", "GENERO"); }};

        c << Case{"TFormLcPro", "Edit1", "Enter, Enter (by name)", none, false, [](Run &r) {
                      drivePick<TFormLcPro>(
                          r, {"PRODUTOS", "NOME", 0,
                              "insert into produtos (id, codigo, nome) values (gen_id(produto, 1), '000001', ?)",
                              "insert into produtos (id, codigo, nome) values (gen_id(produto, 1), '000002', "
                              "'ZZZ OUTRO')"});
                  }};
        c << Case{"TFormLcPro", "Edit1 (Codigo)", "Enter, Enter (by code)", none, false, [](Run &r) {
                      r.field = QStringLiteral("Edit1");
                      drivePick<TFormLcPro>(
                          r, {"PRODUTOS", "CODIGO", 1,
                              "insert into produtos (id, codigo, nome) values (gen_id(produto, 1), ?, 'ALFA')",
                              "insert into produtos (id, codigo, nome) values (gen_id(produto, 1), '000002', "
                              "'BETA')"});
                  }};
        c << Case{"TFormBusca", "Edit1", "Enter, Enter (by name)", none, false, [](Run &r) {
                      drivePick<TFormBusca>(
                          r, {"CLIENTES", "NOME", 0,
                              "insert into clientes (id, codigo, nome) values (gen_id(cliente, 1), 1, ?)",
                              "insert into clientes (id, codigo, nome) values (gen_id(cliente, 1), 2, 'ZZZ OUTRO')"});
                  }};
        c << Case{"TFormBusca", "Edit1 (Endereço)", "Enter, Enter (by address)", none, false, [](Run &r) {
                      r.field = QStringLiteral("Edit1");
                      drivePick<TFormBusca>(
                          r, {"CLIENTES", "ENDERECO", 1,
                              "insert into clientes (id, codigo, nome, endereco) values (gen_id(cliente, 1), 1, "
                              "'UM', ?)",
                              "insert into clientes (id, codigo, nome, endereco) values (gen_id(cliente, 1), 2, "
                              "'DOIS', 'ZZZ RUA')"});
                  }};
        c << Case{"TFormBuscaForne", "Edit1", "Enter, Enter", none, false, [](Run &r) {
                      drivePick<TFormBuscaForne>(
                          r, {"FORNECEDOR", "NOME", 0,
                              "insert into fornecedor (id, codigo, nome) values (gen_id(forne, 1), 1, ?)",
                              "insert into fornecedor (id, codigo, nome) values (gen_id(forne, 1), 2, 'ZZZ OUTRO')"});
                  }};

        c << Case{"TFormProd", "Edit1", "Enter, Yes to \"Cadastra?\"", {"PRODUTOS"}, false, driveProductCode};
        for (const ProductField &f : productFields())
            c << Case{"TFormProd", f.edit, "Enter, &Confirme/Atualizar", {"LOGS"}, f.kind != Kind::Text,
                      driveProductField};
        c << Case{"TFormProd", "Clonar Codigo", "Copiar/Clonar Reg, its input box", {"PRODUTOS", "LOGS", "ESTFIC"},
                  false, driveProductClone};
        c << Case{"TFormEstIni", "MaskEdit1", "&Confirme", {"ESTFIC"}, true, driveEstIni};
        c << Case{"TFormEstIni", "Edit1", "Enter, &Confirme", {"ESTFIC"}, false, driveEstIni};

        for (const char *f : {"Edit1", "Edit1 (kit)", "MaskEdit1", "Edit2", "MaskEdit2", "Edit3", "Edit4", "Edit6"})
            c << Case{"TFormMovEst2", f, "Enter along the chain, Confirme (entry)", {"ESTFIC", "LOGS"}, false,
                      driveMovement};
        for (const char *f : {"Edit7", "Edit5"})
            c << Case{"TFormMovEst2", f, "Enter along the chain, Confirme (exit)", {"ESTFIC", "LOGS"}, false,
                      driveMovement};

        c << Case{"TFormKit", "Edit1", "Novo Kit, Enter", {"KITMASTER"}, false, driveKitCode};
        c << Case{"TFormKit", "DBEdit2", "Enter, Enter, Confirma", none, false, driveKitField};
        c << Case{"TFormKit", "DBEdit3", "Enter, Confirma", none, true, driveKitField};
        c << Case{"TFormKit", "GridNome", "the grid's editor, Enter, Confirma", none, false, driveKitField};
        c << Case{"TFormKit", "GridValor", "the grid's editor, Enter, Confirma", none, true, driveKitField};
        c << Case{"TFormKitItens", "Edit4", "Novo Prod, Enter, Enter, Confirma", {"KITPROD"}, false, driveKitItem};
        c << Case{"TFormKitItens", "Edit6", "Novo Prod, Enter, Enter, Confirma", {"KITPROD"}, false, driveKitItem};

        c << Case{"TFormImpRap", "ComboBox1", "group named by the input, &Imprimir", none, false,
                  driveStockPosition};
        return c;
    }();
    return list;
}

// Firebird's own check of the file: exit code 0 and nothing on its error output.
void validate(const QString &database)
{
    QProcess gfix;
    gfix.start(QStringLiteral("gfix"), {QStringLiteral("-v"), QStringLiteral("-full"), QStringLiteral("-user"),
                                        QStringLiteral("SYSDBA"), database});
    QVERIFY2(gfix.waitForFinished(60000), "gfix did not finish");
    const QString out = QString::fromLocal8Bit(gfix.readAllStandardOutput() + gfix.readAllStandardError());
    QVERIFY2(gfix.exitStatus() == QProcess::NormalExit && gfix.exitCode() == 0, qPrintable(out));
    QVERIFY2(out.trimmed().isEmpty(), qPrintable(out));
}

} // namespace

class TestBadInput : public QObject
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
        Dialogs::resetTest();
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void everyFieldEveryInput_data();
    void everyFieldEveryInput();
    void editsHoldNoMoreThanTheirColumn_data();
    void editsHoldNoMoreThanTheirColumn();
};

void TestBadInput::everyFieldEveryInput_data()
{
    QTest::addColumn<int>("caseIndex");
    QTest::addColumn<int>("inputIndex");
    for (int c = 0; c < cases().size(); ++c)
        for (int i = 0; i < inputs().size(); ++i)
            QTest::addRow("%s %s [%s] / %s", cases().at(c).window, cases().at(c).field, cases().at(c).leave,
                          inputs().at(i).name)
                << c << i;
}

void TestBadInput::everyFieldEveryInput()
{
    QFETCH(int, caseIndex);
    QFETCH(int, inputIndex);
    const Case &c = cases().at(caseIndex);
    const Input &input = inputs().at(inputIndex);

    TestRoot root;
    auto logon = root.connect();
    QVERIFY(logon->connected());
    CurrentUserName = QStringLiteral("ANA");
    OverrideIsMaster = QStringLiteral("N");
    // A window nobody answers is closed as the operator would close it.
    Dialogs::setDefaultModal([](QDialog *d) { d->reject(); });

    Run run{*logon, input, QString::fromLatin1(c.field), QString(), tableCounts(*logon)};
    c.drive(run);
    if (QTest::currentTestFailed())
        return;

    for (const auto &s : Dialogs::shown()) {
        if (s.kind != QLatin1String("error"))
            continue;
        QVERIFY2(!brokenStatement(s.text),
                 qPrintable(QStringLiteral("broken statement after typing \"%1\": %2").arg(run.shown, s.text)));
        QVERIFY2(c.refusesByConversion && conversionRefusal(s.text),
                 qPrintable(QStringLiteral("error box after typing \"%1\": %2").arg(run.shown, s.text)));
    }

    // No table lost a row; only the tables the window writes gained any.
    const QMap<QString, int> after = tableCounts(*logon);
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const int was = run.before.value(it.key());
        QVERIFY2(it.value() >= was, qPrintable(QStringLiteral("%1 lost %2 rows").arg(it.key()).arg(was - it.value())));
        if (!c.writes.contains(it.key()))
            QVERIFY2(it.value() == was, qPrintable(QStringLiteral("%1 gained %2 rows").arg(it.key()).arg(it.value() - was)));
    }

    logon.reset();
    validate(root.database());
}

static std::unique_ptr<QDialog> openWindow(const QString &name)
{
    if (name == QLatin1String("TFormProtecao"))
        return std::make_unique<TFormProtecao>();
    if (name == QLatin1String("TFormAcessos"))
        return std::make_unique<TFormAcessos>();
    if (name == QLatin1String("TFormEmpresa"))
        return std::make_unique<TFormEmpresa>();
    if (name == QLatin1String("TFormTipos"))
        return std::make_unique<TFormTipos>();
    if (name == QLatin1String("TFormCCustos"))
        return std::make_unique<TFormCCustos>();
    if (name == QLatin1String("TFormProd"))
        return std::make_unique<TFormProd>();
    if (name == QLatin1String("TFormMovEst2"))
        return std::make_unique<TFormMovEst2>();
    if (name == QLatin1String("TFormKit"))
        return std::make_unique<TFormKit>();
    if (name == QLatin1String("TFormKitItens"))
        return std::make_unique<TFormKitItens>();
    qFatal("no window %s", qPrintable(name));
    return nullptr;
}

void TestBadInput::editsHoldNoMoreThanTheirColumn_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    auto row = [](const char *window, const char *field, const char *table, const char *column) {
        QTest::addRow("%s %s %s.%s", window, field, table, column) << window << field << table << column;
    };
    for (const char *w : {"TFormProtecao", "TFormAcessos"}) {
        row(w, "Edit1", "KESTRUM", "NOME");
        row(w, "Edit2", "KESTRUM", "SENHA");
    }
    const char *company[] = {"EMPRESA", "ENDERECO", "CIDADE", "ESTADO", "CNPJ", "IESTADUAL"};
    for (int i = 0; i < 6; ++i)
        row("TFormEmpresa", qPrintable(QStringLiteral("DBEdit%1").arg(i + 1)), "EMPRESA", company[i]);
    row("TFormTipos", "Edit2", "TIPOS", "NOME");
    row("TFormCCustos", "Edit2", "GENERO", "GENERO");
    row("TFormProd", "Edit1", "PRODUTOS", "CODIGO");
    for (const ProductField &f : productFields())
        if (f.kind == Kind::Text)
            row("TFormProd", f.edit, "PRODUTOS", f.column);
    row("TFormMovEst2", "Edit1", "ESTFIC", "CODIGO");
    row("TFormMovEst2", "Edit2", "ESTFIC", "HISTORICO");
    row("TFormMovEst2", "Edit8", "ESTFIC", "SDATA");
    row("TFormKit", "Edit1", "KITMASTER", "CODIGO");
    row("TFormKit", "DBEdit1", "KITMASTER", "CODIGO");
    row("TFormKit", "DBEdit2", "KITMASTER", "NOME");
    row("TFormKitItens", "Edit4", "KITPROD", "CODPROD");
}

void TestBadInput::editsHoldNoMoreThanTheirColumn()
{
    QFETCH(QString, window);
    QFETCH(QString, field);
    QFETCH(QString, table);
    QFETCH(QString, column);
    TestRoot root;
    auto logon = root.connect();
    const int length = columnLength(*logon, table, column);
    QVERIFY(length > 0);
    {
        const std::unique_ptr<QDialog> w = openWindow(window);
        QCOMPARE(child(w.get(), field)->maxLength(), length);
    }
    logon.reset();
}

TAMBLO_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
