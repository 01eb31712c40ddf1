// The families and cost-centre windows: the same register over two tables.
#include "tests/support/TestEnv.h"

#include "app/TForm1.h"
#include "data/Globals.h"
#include "data/Paths.h"
#include "data/TLOGON.h"
#include "registries/TFormCCustos.h"
#include "registries/TFormTipos.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

// What differs between the two windows, as the tests see it.
struct Register
{
    QString table;    // table in the database
    QString nameCol;  // its name column
    QString gen;      // generator of its ids
    int nameLength;
    QString gridSql;
};

Register reg(const QString &window)
{
    if (window == QLatin1String("tipos"))
        return {"tipos", "nome", "OUTROS", 40, "select * from tipos order by codigo "};
    return {"genero", "genero", "GENERO", 20, "select * from genero order by codigo"};
}

std::unique_ptr<QDialog> openWindow(const QString &window)
{
    if (window == QLatin1String("tipos"))
        return std::make_unique<TFormTipos>();
    return std::make_unique<TFormCCustos>();
}

// Rows (code, name) with ids 100, 101, ... in the order given.
void seed(TLOGON &logon, const QString &window, const QList<QPair<int, QString>> &rows)
{
    const Register r = reg(window);
    int id = 100;
    for (const auto &row : rows)
        logon.runStatement(QStringLiteral("insert into %1 (id, codigo, %2) values (%3, %4, '%5')")
                               .arg(r.table, r.nameCol)
                               .arg(id++)
                               .arg(row.first)
                               .arg(row.second),
                           false);
}

int count(TLOGON &logon, const QString &window, const QString &where = QString())
{
    QString sql = QStringLiteral("select count(*) from ") + reg(window).table;
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where;
    return scalar(logon, sql).toInt();
}

QString nameOf(TLOGON &logon, const QString &window, int code)
{
    const Register r = reg(window);
    return scalar(logon, QStringLiteral("select %1 from %2 where codigo = %3").arg(r.nameCol, r.table).arg(code))
        .toString();
}

template <typename T>
T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

QLineEdit *code(QWidget *w) { return child<QLineEdit>(w, "Edit1"); }
QLineEdit *name(QWidget *w) { return child<QLineEdit>(w, "Edit2"); }
QPushButton *button(QWidget *w, const char *n) { return child<QPushButton>(w, n); }
void novo(QWidget *w) { button(w, "BitBtn1")->click(); }
void confirme(QWidget *w) { button(w, "BitBtn2")->click(); }
void excluir(QWidget *w) { button(w, "BitBtn3")->click(); }

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QList<QPair<int, QString>> codes(int from, int to)
{
    QList<QPair<int, QString>> rows;
    for (int c = from; c <= to; ++c)
        rows.append({c, QStringLiteral("F%1").arg(c)});
    return rows;
}

void bothWindows()
{
    QTest::addColumn<QString>("window");
}

} // namespace

class TestCodeRegister : public QObject
{
    Q_OBJECT
private slots:
    void init() { Dialogs::resetTest(); }
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty() || allHidden()); }

    void opening_data();
    void opening();
    void openingEmptyTable_data() { bothWindows(); QTest::newRow("tipos") << "tipos"; QTest::newRow("ccusto") << "ccusto"; }
    void openingEmptyTable();
    void closingReleasesTheGridQuery_data() { openingEmptyTable_data(); }
    void closingReleasesTheGridQuery();
    void novoProposesNextCode_data();
    void novoProposesNextCode();
    void confirmeOnExistingCodeRenames_data() { openingEmptyTable_data(); }
    void confirmeOnExistingCodeRenames();
    void codeThatIsNoWholeNumberWritesZero_data();
    void codeThatIsNoWholeNumberWritesZero();
    void deletingLeavesReferencesAlone_data() { openingEmptyTable_data(); }
    void deletingLeavesReferencesAlone();
    void deleteAnsweredNoDeletesNothing_data();
    void deleteAnsweredNoDeletesNothing();
    void deleteOnEmptyTableAsksNothing_data() { openingEmptyTable_data(); }
    void deleteOnEmptyTableAsksNothing();
    void namesUpToTheColumnLength_data() { openingEmptyTable_data(); }
    void namesUpToTheColumnLength();
    void exactStatements_data();
    void exactStatements();
    void choosingARowFillsTheFields_data() { openingEmptyTable_data(); }
    void choosingARowFillsTheFields();
    void enterMovesToConfirme_data() { openingEmptyTable_data(); }
    void enterMovesToConfirme();
    void failedStatementShowsErrorBox_data() { openingEmptyTable_data(); }
    void failedStatementShowsErrorBox();
    void mainMenuOpensBothWindows();

private:
    static bool allHidden()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                return false;
        return true;
    }
};

void TestCodeRegister::opening_data()
{
    bothWindows();
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("tipos") << "tipos" << ".: CATEGORIAS DOS PRODUTOS :." << "Cadastro de Categorias"
                           << "| Categorias |" << QStringList{"CODIGO", "NOME"};
    QTest::newRow("ccusto") << "ccusto" << ".: Centro de Custo :." << "Centro de Custo" << ""
                            << QStringList{"CODIGO", "Nomde do Centro de Custo"};
}

void TestCodeRegister::opening()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QString, band);
    QFETCH(QString, frame);
    QFETCH(QStringList, titles);
    TestRoot root;
    auto logon = root.connect();
    // Stored out of order: the grid and the fields start at the lowest code.
    seed(*logon, window, {{7, "SETE"}, {3, "TRES"}, {5, "CINCO"}});

    auto w = openWindow(window);
    QCOMPARE(w->windowTitle(), caption);
    bool bandFound = false;
    for (QLabel *label : w->findChildren<QLabel *>())
        bandFound |= label->text() == band;
    QVERIFY(bandFound);
    QCOMPARE(child<QGroupBox>(w.get(), "GroupBox1")->title(), frame);
    QCOMPARE(button(w.get(), "BitBtn1")->text(), QString("Novo"));
    QCOMPARE(button(w.get(), "BitBtn2")->text(), QString("Confirme"));
    QCOMPARE(button(w.get(), "BitBtn3")->text(), QString("Excluir"));
    QCOMPARE(button(w.get(), "BitBtn4")->text(), QString("Retornar"));

    auto *grid = child<QTableView>(w.get(), "DBGrid1");
    QStringList shownTitles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        shownTitles << grid->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(shownTitles, titles);
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QString("3"));
    QCOMPARE(grid->model()->index(2, 1).data().toString(), QString("SETE"));
    QCOMPARE(code(w.get())->text(), QString("3"));
    QCOMPARE(name(w.get())->text(), QString("TRES"));

    // The families grid is the data module's Tipos query; cost centres use Atualiza.
    const QString gridSql = reg(window).gridSql;
    QCOMPARE((window == "tipos" ? logon->Tipos : logon->Atualiza).sql(), gridSql);
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestCodeRegister::openingEmptyTable()
{
    QFETCH(QString, window);
    TestRoot root;
    auto logon = root.connect();
    auto w = openWindow(window);
    QCOMPARE(code(w.get())->text(), QString());
    QCOMPARE(name(w.get())->text(), QString());
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestCodeRegister::closingReleasesTheGridQuery()
{
    QFETCH(QString, window);
    TestRoot root;
    auto logon = root.connect();
    seed(*logon, window, codes(1, 2));
    auto w = openWindow(window);
    SharedQuery &gridQuery = window == "tipos" ? logon->Tipos : logon->Atualiza;
    QVERIFY(gridQuery.active());
    logon->RunOnQuery("produtos", "select * from produtos", "open");
    w->show();
    button(w.get(), "BitBtn4")->click();
    QVERIFY(!w->isVisible());
    QVERIFY(!gridQuery.active());
    QCOMPARE(child<QTableView>(w.get(), "DBGrid1")->model()->rowCount(), 0);
    // Only the cost-centre window runs CloseSharedQueries, which closes Produtos too.
    QCOMPARE(logon->Produtos.active(), window == "tipos");
}

void TestCodeRegister::novoProposesNextCode_data()
{
    bothWindows();
    QTest::addColumn<QList<int>>("existing");
    QTest::addColumn<QString>("proposal");
    for (const char *w : {"tipos", "ccusto"}) {
        QTest::addRow("%s empty", w) << w << QList<int>{} << "1";
        QTest::addRow("%s 1 to 9", w) << w << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << "10";
        QTest::addRow("%s 1 to 4", w) << w << QList<int>{1, 2, 3, 4} << "5";
        QTest::addRow("%s gaps, stored unordered", w) << w << QList<int>{20, 3, 11} << "21";
    }
}

void TestCodeRegister::novoProposesNextCode()
{
    QFETCH(QString, window);
    QFETCH(QList<int>, existing);
    QFETCH(QString, proposal);
    TestRoot root;
    auto logon = root.connect();
    QList<QPair<int, QString>> rows;
    for (int c : existing)
        rows.append({c, QStringLiteral("F%1").arg(c)});
    seed(*logon, window, rows);

    auto w = openWindow(window);
    w->show();
    novo(w.get());
    QCOMPARE(code(w.get())->text(), proposal);
    QCOMPARE(name(w.get())->text(), QString());
    QCOMPARE(w->focusWidget(), code(w.get()));
    // Nothing is written until "Confirme".
    QCOMPARE(count(*logon, window), int(existing.size()));
    auto *grid = child<QTableView>(w.get(), "DBGrid1");
    if (!existing.isEmpty())
        QCOMPARE(grid->currentIndex().row(), int(existing.size()) - 1);

    typeInto(name(w.get()), "NOVA FAMILIA");
    confirme(w.get());
    QCOMPARE(count(*logon, window), int(existing.size()) + 1);
    QCOMPARE(nameOf(*logon, window, proposal.toInt()), QString("NOVA FAMILIA"));
    QCOMPARE(grid->model()->rowCount(), int(existing.size()) + 1);
    QVERIFY(Dialogs::takeShown().isEmpty());
    w->close();
}

void TestCodeRegister::confirmeOnExistingCodeRenames()
{
    QFETCH(QString, window);
    TestRoot root;
    auto logon = root.connect();
    // Two rows share code 2 (uniqueness is the window's job, not the table's):
    // a rename reaches both.
    seed(*logon, window, {{1, "UM"}, {2, "DOIS"}, {2, "DOIS BIS"}});
    auto w = openWindow(window);
    typeInto(code(w.get()), "2");
    typeInto(name(w.get()), "novo nome");
    QCOMPARE(name(w.get())->text(), QString("NOVO NOME"));
    confirme(w.get());
    QCOMPARE(count(*logon, window), 3);
    QCOMPARE(count(*logon, window, QStringLiteral("codigo = 2 and %1 = 'NOVO NOME'").arg(reg(window).nameCol)), 2);
    QCOMPARE(nameOf(*logon, window, 1), QString("UM"));
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestCodeRegister::codeThatIsNoWholeNumberWritesZero_data()
{
    bothWindows();
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("written");
    for (const char *w : {"tipos", "ccusto"}) {
        QTest::addRow("%s letters", w) << w << "AB" << 0;
        QTest::addRow("%s empty", w) << w << "" << 0;
        QTest::addRow("%s decimal", w) << w << "1,5" << 0;
        QTest::addRow("%s beyond an integer", w) << w << "99999999999" << 0;
        QTest::addRow("%s blanks around", w) << w << " 12 " << 12;
        QTest::addRow("%s negative", w) << w << "-3" << -3;
    }
}

void TestCodeRegister::codeThatIsNoWholeNumberWritesZero()
{
    QFETCH(QString, window);
    QFETCH(QString, typed);
    QFETCH(int, written);
    TestRoot root;
    auto logon = root.connect();
    auto w = openWindow(window);
    typeInto(code(w.get()), typed);
    typeInto(name(w.get()), "X");
    confirme(w.get());
    QCOMPARE(count(*logon, window), 1);
    QCOMPARE(nameOf(*logon, window, written), QString("X"));
    QCOMPARE(code(w.get())->text(), QString::number(written));
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestCodeRegister::deletingLeavesReferencesAlone()
{
    QFETCH(QString, window);
    TestRoot root;
    auto logon = root.connect();
    seed(*logon, window, codes(1, 3));
    if (window == "tipos")
        logon->runStatement("insert into produtos (id, codigo, nome, classe) values (1, '000001', 'P', '2')", false);
    else
        logon->runStatement("insert into estfic (id, codigo, entrada, saida, ccusto) values (1, '000001', 0, 5, 2)", false);

    auto w = openWindow(window);
    w->show();
    auto *grid = child<QTableView>(w.get(), "DBGrid1");
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(code(w.get())->text(), QString("2"));
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    excluir(w.get());

    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("question"));
    QCOMPARE(shown[0].caption, QString("Excluir"));
    QCOMPARE(shown[0].text, QString("Deseja Excluir Este Registro ?"));
    QCOMPARE(count(*logon, window), 2);
    QCOMPARE(count(*logon, window, "codigo = 2"), 0);
    if (window == "tipos")
        QCOMPARE(scalar(*logon, "select classe from produtos where id = 1").toString(), QString("2"));
    else
        QCOMPARE(scalar(*logon, "select ccusto from estfic where id = 1").toInt(), 2);
    // The re-read grid starts over at the first row, shown in the fields.
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(code(w.get())->text(), QString("1"));
    QCOMPARE(name(w.get())->text(), QString("F1"));
    QCOMPARE(w->focusWidget(), code(w.get()));
    w->close();
}

void TestCodeRegister::deleteAnsweredNoDeletesNothing_data()
{
    bothWindows();
    QTest::addColumn<bool>("answerGiven");
    for (const char *w : {"tipos", "ccusto"}) {
        QTest::addRow("%s No", w) << w << true;
        // Enter on the question takes the preselected button, which is No.
        QTest::addRow("%s default", w) << w << false;
    }
}

void TestCodeRegister::deleteAnsweredNoDeletesNothing()
{
    QFETCH(QString, window);
    QFETCH(bool, answerGiven);
    TestRoot root;
    auto logon = root.connect();
    seed(*logon, window, codes(1, 3));
    auto w = openWindow(window);
    logon->setRecording(true);
    if (answerGiven)
        Dialogs::queueAnswer(Dialogs::Answer::No);
    excluir(w.get());
    // Only the cost-centre window re-reads its grid when the answer is No.
    const QStringList expected = window == "tipos" ? QStringList() : QStringList{reg(window).gridSql};
    QCOMPARE(logon->takeStatements(), expected);
    QCOMPARE(Dialogs::takeShown().size(), 1);
    QCOMPARE(count(*logon, window), 3);
}

void TestCodeRegister::deleteOnEmptyTableAsksNothing()
{
    QFETCH(QString, window);
    TestRoot root;
    auto logon = root.connect();
    auto w = openWindow(window);
    logon->setRecording(true);
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    excluir(w.get());
    QVERIFY(Dialogs::takeShown().isEmpty());
    QCOMPARE(logon->takeStatements(), QStringList());
}

void TestCodeRegister::namesUpToTheColumnLength()
{
    QFETCH(QString, window);
    TestRoot root;
    auto logon = root.connect();
    const int length = reg(window).nameLength;
    auto w = openWindow(window);

    // Accented capitals: the column counts characters, not bytes.
    const QString full = QString(length - 1, QChar(u'Ç')) + QLatin1Char('Z');
    typeInto(code(w.get()), "1");
    typeInto(name(w.get()), full);
    confirme(w.get());
    QCOMPARE(nameOf(*logon, window, 1), full);

    const QString renamed = QString(length, QLatin1Char('R'));
    typeInto(code(w.get()), "1");
    typeInto(name(w.get()), renamed);
    confirme(w.get());
    QCOMPARE(nameOf(*logon, window, 1), renamed);

    // A longer name stops at the column's length while it is typed, on
    // creation and on rename alike.
    const QString longer = QString(length, QLatin1Char('A')) + QStringLiteral("BCDEF");
    typeInto(code(w.get()), "2");
    typeInto(name(w.get()), longer);
    QCOMPARE(name(w.get())->text(), longer.left(length));
    confirme(w.get());
    QCOMPARE(nameOf(*logon, window, 2), longer.left(length));
    typeInto(code(w.get()), "1");
    typeInto(name(w.get()), longer.toLower());
    confirme(w.get());
    QCOMPARE(nameOf(*logon, window, 1), longer.left(length));
    QCOMPARE(count(*logon, window), 2);
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestCodeRegister::exactStatements_data()
{
    bothWindows();
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("statements");
    QTest::newRow("tipos create") << "tipos" << "create"
        << QStringList{"select * from tipos where codigo = '3'",
                       "insert into tipos (id,codigo,nome) values (GEN_ID(OUTROS,1),'3','D''AGUA')",
                       "select * from tipos order by codigo "};
    QTest::newRow("tipos rename") << "tipos" << "rename"
        << QStringList{"select * from tipos where codigo = '2'",
                       "update tipos set nome = 'D''AGUA' where codigo  = '2'",
                       "select * from tipos order by codigo "};
    QTest::newRow("tipos delete") << "tipos" << "delete"
        << QStringList{"delete from tipos where id = '100'", "select * from tipos order by codigo "};
    QTest::newRow("ccusto create") << "ccusto" << "create"
        << QStringList{"select * from genero where codigo = '3'",
                       "insert into genero (ID,CODIGO,GENERO) values (GEN_ID(GENERO,1),'3','D''AGUA')",
                       "select * from genero order by codigo"};
    QTest::newRow("ccusto rename") << "ccusto" << "rename"
        << QStringList{"select * from genero where codigo = '2'",
                       "update genero set genero = 'D''AGUA' where codigo  = '2'",
                       "select * from genero order by codigo"};
    QTest::newRow("ccusto delete") << "ccusto" << "delete"
        << QStringList{"delete from genero where id = '100'", "select * from genero order by codigo"};
}

void TestCodeRegister::exactStatements()
{
    QFETCH(QString, window);
    QFETCH(QString, action);
    QFETCH(QStringList, statements);
    TestRoot root;
    auto logon = root.connect();
    seed(*logon, window, codes(1, 2));
    auto w = openWindow(window);
    logon->setRecording(true);
    if (action == "create") {
        novo(w.get());
        typeInto(name(w.get()), "d'agua");
        confirme(w.get());
    } else if (action == "rename") {
        typeInto(code(w.get()), "2");
        typeInto(name(w.get()), "d'agua");
        confirme(w.get());
    } else {
        Dialogs::queueAnswer(Dialogs::Answer::Yes);
        excluir(w.get());
    }
    QCOMPARE(logon->takeStatements(), statements);
    if (action == "delete") {
        QCOMPARE(count(*logon, window, "id = 100"), 0);
    } else {
        // The lookup by code runs on Atualiza3; the name keeps its apostrophe.
        QCOMPARE(logon->Atualiza3.sql(), statements.first());
        QCOMPARE(nameOf(*logon, window, action == "create" ? 3 : 2), QString("D'AGUA"));
    }
}

void TestCodeRegister::choosingARowFillsTheFields()
{
    QFETCH(QString, window);
    TestRoot root;
    auto logon = root.connect();
    seed(*logon, window, {{1, "UM"}, {2, "DOIS"}, {3, "TRES"}});
    auto w = openWindow(window);
    w->show();
    auto *grid = child<QTableView>(w.get(), "DBGrid1");
    auto cell = [grid](int row) { return grid->visualRect(grid->model()->index(row, 1)).center(); };

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(1));
    QCOMPARE(code(w.get())->text(), QString("2"));
    QCOMPARE(name(w.get())->text(), QString("DOIS"));

    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(code(w.get())->text(), QString("3"));
    QCOMPARE(name(w.get())->text(), QString("TRES"));

    // A key held down repeats presses without releases: each press chooses.
    QTest::keyPress(grid, Qt::Key_Up);
    QCOMPARE(name(w.get())->text(), QString("DOIS"));
    QTest::keyPress(grid, Qt::Key_Up);
    QCOMPARE(name(w.get())->text(), QString("UM"));
    QTest::keyRelease(grid, Qt::Key_Up);

    novo(w.get());
    QCOMPARE(code(w.get())->text(), QString("4"));
    // A real double click: press, release, double click, release.
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cell(0));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell(0));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell(0));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell(0));
    QCOMPARE(code(w.get())->text(), QString("1"));
    QCOMPARE(name(w.get())->text(), QString("UM"));
    w->close();
}

void TestCodeRegister::enterMovesToConfirme()
{
    QFETCH(QString, window);
    TestRoot root;
    auto logon = root.connect();
    seed(*logon, window, codes(1, 1));
    auto w = openWindow(window);
    w->show();
    code(w.get())->setFocus();
    typeInto(code(w.get()), "5");
    QTest::keyClick(code(w.get()), Qt::Key_Return);
    QCOMPARE(w->focusWidget(), name(w.get()));
    typeInto(name(w.get()), "x");
    QTest::keyClick(name(w.get()), Qt::Key_Return);
    QCOMPARE(w->focusWidget(), button(w.get(), "BitBtn2"));
    // Enter only moves the focus: nothing is confirmed yet, and the window stays.
    QCOMPARE(count(*logon, window), 1);
    QVERIFY(w->isVisible());
    QTest::keyClick(button(w.get(), "BitBtn2"), Qt::Key_Space);
    QCOMPARE(nameOf(*logon, window, 5), QString("X"));
    w->close();
}

void TestCodeRegister::failedStatementShowsErrorBox()
{
    QFETCH(QString, window);
    TestRoot root;
    auto logon = root.connect();
    seed(*logon, window, codes(1, 1));
    auto w = openWindow(window);
    w->show();
    // Another copy of the program could refuse a code this way; here a check on the table.
    logon->runStatement(QStringLiteral("alter table %1 add constraint no13 check (codigo <> 13)").arg(reg(window).table),
                        false);
    typeInto(code(w.get()), "13");
    typeInto(name(w.get()), "TREZE");
    confirme(w.get());
    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("error"));
    QVERIFY(shown[0].text.contains("NO13", Qt::CaseInsensitive));
    QCOMPARE(count(*logon, window), 1);
    QVERIFY(w->isVisible());
    QCOMPARE(code(w.get())->text(), QString("13"));
    w->close();
}

void TestCodeRegister::mainMenuOpensBothWindows()
{
    TestRoot root;
    Paths::setRoot(root.root());
    TForm1 form;
    QVERIFY(LOGON);
    Dialogs::takeShown();
    CurrentUserRights = 127;
    seed(*LOGON, "tipos", codes(1, 2));
    seed(*LOGON, "ccusto", codes(1, 3));

    QStringList seen;
    for (const char *id : {"tipos", "ccusto"}) {
        Dialogs::queueModal([&seen](QDialog *d) {
            seen << QStringLiteral("%1 %2").arg(d->windowTitle()).arg(
                child<QTableView>(d, "DBGrid1")->model()->rowCount());
            button(d, "BitBtn4")->click();
        });
        QAction *entry = form.findChild<QAction *>(QStringLiteral("menu_") + QLatin1String(id));
        QVERIFY(entry);
        entry->trigger();
    }
    QCOMPARE(seen, QStringList({".: CATEGORIAS DOS PRODUTOS :. 2", ".: Centro de Custo :. 3"}));
    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].kind, QString("modal"));
    QCOMPARE(shown[0].text, QString("FormTipos"));
    QCOMPARE(shown[1].text, QString("FormCCustos"));
    resetGlobals();
}

TAMBLO_TEST_MAIN(TestCodeRegister)
#include "tst_codereg.moc"
