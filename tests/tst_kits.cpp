// Kits: the kit window, its composition editor, the viewer, the kit list and
// the technical sheet, driven through the real windows on a fresh database.
#include "tests/support/TestEnv.h"

#include "app/Openers.h"
#include "data/Clock.h"
#include "data/Globals.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "data/WorkingCopy.h"
#include "registries/TFormAjuKits.h"
#include "registries/TFormKit.h"
#include "registries/TFormKitItens.h"
#include "registries/TFormVerKits.h"
#include "reports/ReportPreview.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>

namespace {

const QString CodeTaken = QStringLiteral("         Codigo Ja Existe, escolha outro..       ");
const QString NoProduct = QStringLiteral("         Produto não localizado          ");
const QString ChooseKit = QStringLiteral("  Selecione uma composição..  ");

template <typename T>
T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

QLineEdit *edit(QWidget *w, const char *name) { return child<QLineEdit>(w, name); }
QPushButton *button(QWidget *w, const char *name) { return child<QPushButton>(w, name); }

void addProduct(TLOGON &logon, const QString &code, const QString &name, const QString &custo)
{
    logon.runStatement(QStringLiteral("insert into produtos (id, codigo, nome, custo) values (GEN_ID(PRODUTO,1), %1, %2, %3)")
                           .arg(QuoteSql(code), QuoteSql(name), custo),
                       false);
}

void addKit(TLOGON &logon, const QString &code, const QString &name, const QString &valot = QStringLiteral("NULL"))
{
    logon.runStatement(QStringLiteral("insert into kitmaster (id, codigo, nome, valot) values (GEN_ID(KITMASTER,1), %1, %2, %3)")
                           .arg(QuoteSql(code), QuoteSql(name), valot),
                       false);
}

void addItem(TLOGON &logon, const QString &kit, const QString &product, const QString &name, const QString &quant)
{
    logon.runStatement(QStringLiteral("insert into kitprod (id, codigo, codprod, nome, quant) values "
                                      "(GEN_ID(KITPROD,1), %1, %2, %3, %4)")
                           .arg(QuoteSql(kit), QuoteSql(product), QuoteSql(name), quant),
                       false);
}

int count(TLOGON &logon, const QString &sql) { return scalar(logon, sql).toInt(); }

// The database refuses every such write from now on, as a constraint or
// another program's trigger would.
void refuse(TLOGON &logon, const QString &table, const QString &action)
{
    static int n = 0;
    const QString exception = QStringLiteral("RECUSADO%1").arg(++n);
    logon.runStatement(QStringLiteral("create exception %1 'gravacao recusada'").arg(exception), false);
    logon.runStatement(QStringLiteral("create trigger T_%1 for %2 before %3 as begin exception %1; end")
                           .arg(exception, table, action),
                       false);
}

// Shows the window and makes it the active one, so that focus moves are real.
// (A dialog counts as "active" for Qt while its parent is, so wait for the
// application's own active window.)
bool show(QWidget *w)
{
    w->show();
    w->activateWindow();
    return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
}

QStringList texts(const QList<Dialogs::Shown> &shown)
{
    QStringList out;
    for (const auto &s : shown)
        out << s.text;
    return out;
}

// "Novo Kit", the code typed, Enter.
void newKit(TFormKit &w, const QString &code)
{
    button(&w, "BitBtn1")->click();
    QLineEdit *field = edit(&w, "Edit1");
    QVERIFY(field->isVisible());
    QCOMPARE(QApplication::focusWidget(), field);
    QTest::keyClicks(field, code);
    QTest::keyClick(field, Qt::Key_Return);
}

QAction *action(TFormKit &w, const char *name) { return child<QAction>(&w, name); }

// Opens the composition editor of the current kit and lets `drive` work in it.
void compose(TFormKit &w, const std::function<void(TFormKitItens *)> &drive)
{
    bool ran = false;
    Dialogs::queueModal([&](QDialog *d) {
        auto *editor = qobject_cast<TFormKitItens *>(d);
        QVERIFY(editor);
        QVERIFY(show(editor));
        ran = true;
        drive(editor);
        editor->accept();
    });
    button(&w, "BitBtn4")->click();
    QVERIFY(ran);
}

// In the editor: "Novo Prod", the product code and Enter, the quantity and Enter, "Confirma".
void addThroughEditor(TFormKitItens *e, const QString &code, const QString &quantity)
{
    button(e, "BitBtn1")->click();
    QLineEdit *codProd = edit(e, "Edit4");
    QCOMPARE(QApplication::focusWidget(), codProd);
    QTest::keyClicks(codProd, code);
    QTest::keyClick(codProd, Qt::Key_Return);
    QLineEdit *quant = edit(e, "Edit6");
    if (QApplication::focusWidget() != quant)
        return; // the code was refused; the caller checks the message
    QTest::keyClicks(quant, quantity);
    QTest::keyClick(quant, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), button(e, "BitBtn2"));
    button(e, "BitBtn2")->click();
}

// The document of the next preview.
ReportDocument previewOf(const std::function<void()> &trigger)
{
    ReportDocument doc;
    bool shown = false;
    Dialogs::queueModal([&](QDialog *dialog) {
        auto *preview = qobject_cast<ReportPreview *>(dialog);
        if (!preview)
            return;
        shown = true;
        doc = preview->document();
        preview->reject();
    });
    trigger();
    if (!shown)
        qWarning("no preview was shown");
    return doc;
}

QString pdfText(const ReportDocument &doc, const QString &path)
{
    if (!ReportOutput::toPdf(doc, path))
        return QString();
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Every pattern found, each after the one before it.
void inOrder(const QString &text, const QStringList &patterns)
{
    qsizetype last = -1;
    for (const QString &pattern : patterns) {
        const QRegularExpressionMatch m = QRegularExpression(pattern).match(text, last + 1);
        QVERIFY2(m.hasMatch(), qPrintable(pattern + QStringLiteral("\n") + text));
        last = m.capturedStart();
    }
}

// The text lines of the page, blank ones dropped, blanks inside squeezed.
QStringList squeezedLines(const QString &text)
{
    QStringList out;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString s = line.simplified();
        if (!s.isEmpty())
            out << s;
    }
    return out;
}

} // namespace

class TestKits : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Dialogs::resetTest();
        Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(14, 30, 0)));
    }
    void cleanup()
    {
        Clock::setFixed(QDateTime());
        QVERIFY(QApplication::topLevelWidgets().isEmpty()
                || std::none_of(QApplication::topLevelWidgets().cbegin(), QApplication::topLevelWidgets().cend(),
                                [](QWidget *w) { return w->isVisible(); }));
    }

    void windowAsOpened();
    void openedFromTheMainWindow();
    void newKitCodes_data();
    void newKitCodes();
    void codeAlreadyUsed();
    void emptyNewCodeClosesWithoutWriting();
    void confirmWritesNameAndValue();
    void gridEditsNameAndValueNotCode();
    void doubleClickOpensTheComposition();
    void confirmRefusedShowsTheError();
    void invalidValueIsReported();
    void deleteKitTakesItsItems();
    void deleteAnsweredNoKeepsEverything();
    void deleteRefusedShowsTheError();
    void itemStoredAndCosted();
    void itemRefused_data();
    void itemRefused();
    void quantityNotANumberIsZero();
    void longProductNameCutTo19();
    void deletingAnItemRecomputesTheCost();
    void costOfItems_data();
    void costOfItems();
    void productSearchFillsTheEntryRow();
    void addingRefusedShowsTheError();
    void editorWithoutKitAddsNothing();
    void viewerListsAndCloses();
    void helpWindow();
    void kitListPrintsEachKitWithItsOwnItems();
    void technicalSheet();
    void closingClosesSharedQueries();
};

void TestKits::windowAsOpened()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "B2", "SEGUNDO", "5");
    addKit(*logon, "A1", "PRIMEIRO", "12.5");
    logon->setRecording(true);
    TFormKit w;
    QCOMPARE(logon->takeStatements(),
             QStringList({"select * from tipos order by codigo", "select * from KitMaster order by codigo",
                          "select * from KitProd where codigo = 'A1'"}));
    QCOMPARE(w.windowTitle(), QString(".: Composição de Custo :."));
    QCOMPARE(child<QLabel>(&w, "Panel1")->text(), QString("Composição de Produtos"));
    QCOMPARE(button(&w, "BitBtn1")->text(), QString("Novo Kit"));
    QCOMPARE(button(&w, "BitBtn2")->text(), QString("Excluir"));
    QCOMPARE(button(&w, "BitBtn3")->text(), QString("Confirma"));
    QCOMPARE(button(&w, "BitBtn4")->text(), QString("Incluir/Alterar\nComposição"));

    QStringList menus;
    for (QAction *top : child<QMenuBar>(&w, "MainMenu1")->actions()) {
        QStringList entries;
        for (QAction *a : top->menu()->actions())
            entries << a->text();
        menus << top->text() + ": " + entries.join(", ");
    }
    QCOMPARE(menus, QStringList({"&1-Manutenção: &A-Visualizar Arquivos, &Z-Sair do Kits",
                                 "&2-Relatórios: &A-Relatorios dos Kits, &B-Imprimir Composição",
                                 "&3-Ajuda: &A-Como utilizar os Kits", "&4-Sair: &Z-Sair do Kits"}));

    // All kits by code; the fields show the first.
    QCOMPARE(w.copy()->count(), 2);
    QCOMPARE(edit(&w, "DBEdit1")->text(), QString("A1"));
    QVERIFY(edit(&w, "DBEdit1")->isReadOnly());
    QCOMPARE(edit(&w, "DBEdit2")->text(), QString("PRIMEIRO"));
    QCOMPARE(edit(&w, "DBEdit3")->text(), QString("12,50"));
    QVERIFY(edit(&w, "Edit1")->isHidden());
    auto *grid = child<QTableView>(&w, "DBGrid1");
    QStringList titles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, QStringList({"CODIGO", "NOME", "VALOR"}));
    QCOMPARE(grid->model()->index(1, 2).data().toString(), QString("5,00"));

    // Edits take no more than their columns hold.
    QCOMPARE(edit(&w, "Edit1")->maxLength(), 10);
    QCOMPARE(edit(&w, "DBEdit2")->maxLength(), 30);
}

void TestKits::openedFromTheMainWindow()
{
    TestRoot root;
    auto logon = root.connect();
    QVERIFY(openers().contains("kits"));
    openers().value("kits")(nullptr);
    const auto modals = shownOfKind(Dialogs::takeShown(), "modal");
    QCOMPARE(modals.size(), 1);
    QCOMPARE(modals.first().caption, QString(".: Composição de Custo :."));
}

void TestKits::newKitCodes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("letters and digits") << "ALM001" << "ALM001";
    QTest::newRow("typed in small letters") << "caipirinha" << "CAIPIRINHA";
    // Never zero-padded: the movement window finds the kit by "/" + this code.
    QTest::newRow("a number stays as typed") << "12" << "12";
    QTest::newRow("blanks trimmed") << "  X1 " << "X1";
    QTest::newRow("apostrophe") << "D'AGUA" << "D'AGUA";
    QTest::newRow("no more than ten characters") << "ABCDEFGHIJKL" << "ABCDEFGHIJ";
}

void TestKits::newKitCodes()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "OUTRO", "OUTRO KIT");
    TFormKit w;
    QVERIFY(show(&w));
    logon->setRecording(true);
    newKit(w, typed);
    const QString select = "select * from KitMaster where codigo = " + QuoteSql(stored);
    QCOMPARE(logon->takeStatements(),
             QStringList({select, "insert into KitMaster (id,codigo) values (GEN_ID(KITMASTER,1)," + QuoteSql(stored) + ")",
                          select}));
    QCOMPARE(count(*logon, "select count(*) from kitmaster where codigo = " + QuoteSql(stored)), 1);
    // The copy now holds the new kit alone; the name is next.
    QCOMPARE(w.copy()->count(), 1);
    QCOMPARE(w.copyStatement(), select);
    QCOMPARE(edit(&w, "DBEdit1")->text(), stored);
    QVERIFY(edit(&w, "Edit1")->isHidden());
    QVERIFY(edit(&w, "DBEdit1")->isVisible());
    QCOMPARE(QApplication::focusWidget(), edit(&w, "DBEdit2"));
    QVERIFY(Dialogs::takeShown().isEmpty());
    w.reject();
}

void TestKits::codeAlreadyUsed()
{
    TestRoot root;
    auto logon = root.connect();
    TFormKit w;
    QVERIFY(show(&w));
    newKit(w, "ALM001");
    QVERIFY(Dialogs::takeShown().isEmpty());
    newKit(w, "ALM001");
    const auto shown = Dialogs::takeShown();
    QCOMPARE(texts(shown), QStringList({CodeTaken}));
    QCOMPARE(shown.first().kind, QString("message"));
    // The focus goes back to the new code; nothing more was written.
    QCOMPARE(QApplication::focusWidget(), edit(&w, "Edit1"));
    QVERIFY(edit(&w, "Edit1")->isVisible());
    QCOMPARE(count(*logon, "select count(*) from kitmaster"), 1);
    // Another code then goes ahead.
    edit(&w, "Edit1")->clear();
    QTest::keyClicks(edit(&w, "Edit1"), "ALM002");
    QTest::keyClick(edit(&w, "Edit1"), Qt::Key_Return);
    QCOMPARE(count(*logon, "select count(*) from kitmaster"), 2);
    QCOMPARE(edit(&w, "DBEdit1")->text(), QString("ALM002"));
    w.reject();
}

void TestKits::emptyNewCodeClosesWithoutWriting()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "A1", "PRIMEIRO");
    TFormKit w;
    QVERIFY(show(&w));
    logon->setRecording(true);
    newKit(w, "   ");
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Rejected));
    for (const QString &sql : logon->takeStatements())
        QVERIFY2(!sql.contains("insert", Qt::CaseInsensitive), qPrintable(sql));
    QCOMPARE(count(*logon, "select count(*) from kitmaster"), 1);
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestKits::confirmWritesNameAndValue()
{
    TestRoot root;
    auto logon = root.connect();
    TFormKit w;
    QVERIFY(show(&w));
    newKit(w, "ALM001");
    QLineEdit *nome = edit(&w, "DBEdit2");
    QTest::keyClicks(nome, "almoco executivo com salada e sobremesa");
    QCOMPARE(nome->text(), QString("ALMOCO EXECUTIVO COM SALADA E "));
    QTest::keyClick(nome, Qt::Key_Return);
    QLineEdit *valor = edit(&w, "DBEdit3");
    QCOMPARE(QApplication::focusWidget(), valor);
    QTest::keyClicks(valor, "25.9");
    QCOMPARE(valor->text(), QString("25,9"));
    QTest::keyClick(valor, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), button(&w, "BitBtn3"));
    QCOMPARE(count(*logon, "select count(*) from kitmaster where nome is null"), 1); // not yet
    button(&w, "BitBtn3")->click();
    QCOMPARE(scalar(*logon, "select nome from kitmaster where codigo = 'ALM001'").toString(),
             QString("ALMOCO EXECUTIVO COM SALADA E "));
    QCOMPARE(qRound(scalar(*logon, "select valot from kitmaster where codigo = 'ALM001'").toDouble() * 100), 2590);
    QVERIFY(Dialogs::takeShown().isEmpty());
    w.reject();
}

void TestKits::gridEditsNameAndValueNotCode()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "A1", "PRIMEIRO", "1");
    addKit(*logon, "B2", "SEGUNDO", "2");
    TFormKit w;
    QVERIFY(show(&w));
    auto *grid = child<QTableView>(&w, "DBGrid1");
    QAbstractItemModel *model = grid->model();
    QVERIFY(!(model->flags(model->index(1, 0)) & Qt::ItemIsEditable));
    QVERIFY(model->flags(model->index(1, 1)) & Qt::ItemIsEditable);
    QVERIFY(model->setData(model->index(1, 1), "segundo kit com um nome longo demais"));
    QVERIFY(model->setData(model->index(1, 2), "7,5"));
    QCOMPARE(model->index(1, 2).data().toString(), QString("7,50"));
    // The row the grid edits, not only the current one; the fields follow the copy.
    grid->setCurrentIndex(model->index(1, 1));
    QCOMPARE(edit(&w, "DBEdit3")->text(), QString("7,50"));
    button(&w, "BitBtn3")->click();
    QCOMPARE(scalar(*logon, "select nome from kitmaster where codigo = 'B2'").toString(),
             QString("SEGUNDO KIT COM UM NOME LONGO "));
    QCOMPARE(scalar(*logon, "select valot from kitmaster where codigo = 'B2'").toDouble(), 7.5);
    QCOMPARE(scalar(*logon, "select nome from kitmaster where codigo = 'A1'").toString(), QString("PRIMEIRO"));
    w.reject();
}

void TestKits::doubleClickOpensTheComposition()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "A1", "PRIMEIRO", "1");
    addKit(*logon, "B2", "SEGUNDO", "2");
    addItem(*logon, "B2", "000001", "ARROZ", "1");
    TFormKit w;
    QVERIFY(show(&w));
    auto *grid = child<QTableView>(&w, "DBGrid1");
    grid->setCurrentIndex(grid->model()->index(1, 0));
    logon->setRecording(true);
    bool opened = false;
    Dialogs::queueModal([&](QDialog *d) {
        auto *editor = qobject_cast<TFormKitItens *>(d);
        QVERIFY(editor);
        opened = true;
        QCOMPARE(logon->takeStatements().mid(0, 3),
                 QStringList({"select * from kitprod where Codigo = 'B2'", "select * from KitMaster where codigo = 'B2'",
                              "select * from KitProd where codigo = 'B2'"}));
        QCOMPARE(edit(editor, "Edit1")->text(), QString("B2"));
        QCOMPARE(edit(editor, "Edit3")->text(), QString("2,00"));
        QCOMPARE(editor->items().size(), 1);
        editor->accept();
    });
    emit grid->doubleClicked(grid->model()->index(1, 0));
    QVERIFY(opened);
    // The grid's double click does not start an edit of the row.
    QVERIFY(!(grid->editTriggers() & QAbstractItemView::DoubleClicked));
    w.reject();
}

void TestKits::confirmRefusedShowsTheError()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "A1", "PRIMEIRO");
    refuse(*logon, "kitmaster", "update");
    TFormKit w;
    QVERIFY(show(&w));
    edit(&w, "DBEdit2")->setText("NOVO NOME");
    button(&w, "BitBtn3")->click();
    const auto errors = shownOfKind(Dialogs::takeShown(), "error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().text.contains("gravacao recusada"), qPrintable(errors.first().text));
    QCOMPARE(scalar(*logon, "select nome from kitmaster").toString(), QString("PRIMEIRO"));
    // The edit is kept for another try.
    QVERIFY(w.copy()->isModified());
    w.reject();
}

void TestKits::invalidValueIsReported()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "A1", "PRIMEIRO", "3");
    TFormKit w;
    QVERIFY(show(&w));
    edit(&w, "DBEdit2")->setText("OUTRO NOME");
    edit(&w, "DBEdit3")->setText("12x");
    button(&w, "BitBtn3")->click();
    QCOMPARE(shownOfKind(Dialogs::takeShown(), "error").size(), 1);
    QCOMPARE(scalar(*logon, "select nome from kitmaster").toString(), QString("PRIMEIRO"));
    QCOMPARE(scalar(*logon, "select valot from kitmaster").toDouble(), 3.0);
    w.reject();
}

void TestKits::deleteKitTakesItsItems()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "A1", "PRIMEIRO");
    addKit(*logon, "B2", "SEGUNDO");
    addItem(*logon, "A1", "000001", "ARROZ", "1");
    addItem(*logon, "A1", "000002", "FEIJAO", "2");
    addItem(*logon, "B2", "000003", "CARNE", "1");
    TFormKit w;
    QVERIFY(show(&w));
    const int id = scalar(*logon, "select id from kitmaster where codigo = 'A1'").toInt();
    logon->setRecording(true);
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    button(&w, "BitBtn2")->click();
    const QStringList sql = logon->takeStatements();
    QCOMPARE(sql.mid(0, 2), QStringList({QStringLiteral("delete from KitMaster where id = '%1'").arg(id),
                                         "delete from KitProd where codigo = 'A1'"}));
    const auto shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().kind, QString("question"));
    QCOMPARE(shown.first().caption, QString("Excluir"));
    QCOMPARE(shown.first().text, QString("Deseja Excluir Este Registro ?"));
    QCOMPARE(count(*logon, "select count(*) from kitprod where codigo = 'A1'"), 0);
    QCOMPARE(count(*logon, "select count(*) from kitprod where codigo = 'B2'"), 1);
    QCOMPARE(w.copy()->count(), 1);
    QCOMPARE(edit(&w, "DBEdit1")->text(), QString("B2"));

    // A kit made later with the same code starts empty.
    newKit(w, "A1");
    compose(w, [](TFormKitItens *e) {
        QCOMPARE(e->items().size(), 0);
        QCOMPARE(edit(e, "Edit7")->text(), QString("0,00"));
    });
    w.reject();
}

void TestKits::deleteAnsweredNoKeepsEverything()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "A1", "PRIMEIRO");
    addItem(*logon, "A1", "000001", "ARROZ", "1");
    TFormKit w;
    QVERIFY(show(&w));
    Dialogs::queueAnswer(Dialogs::Answer::No);
    button(&w, "BitBtn2")->click();
    QCOMPARE(count(*logon, "select count(*) from kitmaster"), 1);
    QCOMPARE(count(*logon, "select count(*) from kitprod"), 1);
    w.reject();

    // With no kit there is nothing to ask about.
    logon->runStatement("delete from kitmaster", false);
    Dialogs::takeShown();
    TFormKit none;
    button(&none, "BitBtn2")->click();
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestKits::deleteRefusedShowsTheError()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "A1", "PRIMEIRO");
    addItem(*logon, "A1", "000001", "ARROZ", "1");
    refuse(*logon, "kitmaster", "delete");
    TFormKit w;
    QVERIFY(show(&w));
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    button(&w, "BitBtn2")->click();
    const auto errors = shownOfKind(Dialogs::takeShown(), "error");
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors.first().text.contains("gravacao recusada"));
    // The kit stays, and so do its items.
    QCOMPARE(count(*logon, "select count(*) from kitmaster"), 1);
    QCOMPARE(count(*logon, "select count(*) from kitprod"), 1);
    w.reject();
}

void TestKits::itemStoredAndCosted()
{
    TestRoot root;
    auto logon = root.connect();
    addProduct(*logon, "000012", "FILE DE FRANGO", "3.5");
    addKit(*logon, "ALM001", "ALMOCO 1", "20");
    TFormKit w;
    QVERIFY(show(&w));
    compose(w, [&](TFormKitItens *e) {
        QCOMPARE(e->windowTitle(), QString("Composição Pratos/Drinks"));
        QCOMPARE(child<QLabel>(e, "Panel1")->text(), QString("Composição / Produtos"));
        QCOMPARE(edit(e, "Edit1")->text(), QString("ALM001"));
        QCOMPARE(edit(e, "Edit2")->text(), QString("ALMOCO 1"));
        QCOMPARE(edit(e, "Edit3")->text(), QString("20,00"));
        QCOMPARE(edit(e, "Edit7")->text(), QString("0,00"));
        QVERIFY(edit(e, "Edit4")->isHidden());
        QVERIFY(edit(e, "Edit6")->isHidden());
        auto *grid = child<QTableWidget>(e, "DBGrid1");
        QStringList titles;
        for (int c = 0; c < grid->columnCount(); ++c)
            titles << grid->horizontalHeaderItem(c)->text();
        QCOMPARE(titles, QStringList({"Cod Produto", "Nome", "QUANT", "VALOR"}));

        logon->setRecording(true);
        button(e, "BitBtn1")->click();
        QTest::keyClicks(edit(e, "Edit4"), "12");
        QTest::keyClick(edit(e, "Edit4"), Qt::Key_Return);
        // Leaving the code normalises it and shows the product's name.
        QCOMPARE(edit(e, "Edit4")->text(), QString("000012"));
        QCOMPARE(edit(e, "Edit5")->text(), QString("FILE DE FRANGO"));
        QTest::keyClicks(edit(e, "Edit6"), "2");
        QTest::keyClick(edit(e, "Edit6"), Qt::Key_Return);
        button(e, "BitBtn2")->click();
        QVERIFY(logon->takeStatements().contains(
            "insert into kitprod (id,codigo,codprod,nome,quant) values (GEN_ID(KITPROD,1),'ALM001','000012',"
            "'FILE DE FRANGO','2.000')"));
        QCOMPARE(edit(e, "Edit7")->text(), QString("7,00"));
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), QString("000012"));
        QCOMPARE(grid->item(0, 2)->text(), QString("2"));
        QCOMPARE(grid->item(0, 3)->text(), QString("3,50"));
        // The entry row is cleared and hidden again.
        QVERIFY(edit(e, "Edit4")->text().isEmpty());
        QVERIFY(edit(e, "Edit4")->isHidden());
    });
    QCOMPARE(scalar(*logon, "select codprod from kitprod").toString(), QString("000012"));
    QCOMPARE(scalar(*logon, "select quant from kitprod").toDouble(), 2.0);
    QCOMPARE(scalar(*logon, "select codigo from kitprod").toString(), QString("ALM001"));
    QVERIFY(shownOfKind(Dialogs::takeShown(), "message").isEmpty());
    w.reject();
}

void TestKits::itemRefused_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("kitGone");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown product") << "999" << false << NoProduct;
    QTest::newRow("empty product code") << "" << false << NoProduct;
    // Another machine deleted the kit while the editor was open.
    QTest::newRow("kit deleted meanwhile") << "12" << true << ChooseKit;
}

void TestKits::itemRefused()
{
    QFETCH(QString, code);
    QFETCH(bool, kitGone);
    QFETCH(QString, message);
    TestRoot root;
    auto logon = root.connect();
    addProduct(*logon, "000012", "FILE DE FRANGO", "3.5");
    addKit(*logon, "ALM001", "ALMOCO 1");
    TFormKit w;
    QVERIFY(show(&w));
    compose(w, [&](TFormKitItens *e) {
        if (kitGone)
            logon->runStatement("delete from kitmaster", false);
        button(e, "BitBtn1")->click();
        QTest::keyClicks(edit(e, "Edit4"), code);
        QTest::keyClick(edit(e, "Edit4"), Qt::Key_Return);
        QCOMPARE(texts(shownOfKind(Dialogs::takeShown(), "message")), QStringList({message}));
        // The focus goes back to the code.
        QCOMPARE(QApplication::focusWidget(), edit(e, "Edit4"));
        // "Confirma" pressed anyway writes nothing.
        edit(e, "Edit4")->setText(code);
        button(e, "BitBtn2")->click();
        QCOMPARE(count(*logon, "select count(*) from kitprod"), 0);
    });
    w.reject();
}

void TestKits::quantityNotANumberIsZero()
{
    TestRoot root;
    auto logon = root.connect();
    addProduct(*logon, "000012", "FILE DE FRANGO", "3.5");
    addKit(*logon, "ALM001", "ALMOCO 1");
    TFormKit w;
    QVERIFY(show(&w));
    compose(w, [&](TFormKitItens *e) {
        addThroughEditor(e, "12", "dois");
        QCOMPARE(edit(e, "Edit7")->text(), QString("0,00"));
    });
    QCOMPARE(count(*logon, "select count(*) from kitprod where quant = 0"), 1);
    w.reject();
}

void TestKits::longProductNameCutTo19()
{
    TestRoot root;
    auto logon = root.connect();
    const QString name = "PRODUTO COM UM NOME DE QUARENTA LETRAS X";
    QCOMPARE(name.size(), 40);
    addProduct(*logon, "LONGO", name, "1");
    addKit(*logon, "K", "KIT");
    TFormKit w;
    QVERIFY(show(&w));
    compose(w, [&](TFormKitItens *e) { addThroughEditor(e, "longo", "1"); });
    QCOMPARE(scalar(*logon, "select nome from kitprod").toString(), name.left(19));
    QCOMPARE(scalar(*logon, "select codprod from kitprod").toString(), QString("LONGO"));
    w.reject();
}

void TestKits::deletingAnItemRecomputesTheCost()
{
    TestRoot root;
    auto logon = root.connect();
    addProduct(*logon, "000001", "ARROZ", "2");
    addProduct(*logon, "000002", "FEIJAO", "5");
    addKit(*logon, "PF", "PRATO FEITO");
    addKit(*logon, "XX", "OUTRO");
    addItem(*logon, "XX", "000001", "ARROZ", "100");
    TFormKit w;
    QVERIFY(show(&w));
    compose(w, [&](TFormKitItens *e) {
        addThroughEditor(e, "1", "3");
        addThroughEditor(e, "2", "0.5");
        QCOMPARE(edit(e, "Edit7")->text(), QString("8,50"));
        auto *grid = child<QTableWidget>(e, "DBGrid1");
        QCOMPARE(grid->rowCount(), 2);
        grid->setCurrentCell(0, 0);
        const QString first = grid->item(0, 0)->text();
        Dialogs::queueAnswer(Dialogs::Answer::Yes);
        button(e, "BitBtn3")->click();
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(edit(e, "Edit7")->text(), first == "000001" ? QString("2,50") : QString("6,00"));
        QCOMPARE(e->cost(), first == "000001" ? 2.5 : 6.0);
        // No: nothing goes.
        Dialogs::queueAnswer(Dialogs::Answer::No);
        button(e, "BitBtn3")->click();
        QCOMPARE(grid->rowCount(), 1);
    });
    QCOMPARE(count(*logon, "select count(*) from kitprod where codigo = 'PF'"), 1);
    QCOMPARE(count(*logon, "select count(*) from kitprod where codigo = 'XX'"), 1);
    w.reject();
}

void TestKits::costOfItems_data()
{
    QTest::addColumn<QStringList>("items"); // product:quantity
    QTest::addColumn<QString>("cost");
    // Products: 000001 costs 2, 000002 costs 0,125, 000003 has no cost.
    QTest::newRow("one item") << QStringList({"000001:3"}) << "6,00";
    QTest::newRow("fractions") << QStringList({"000001:0.5", "000002:4"}) << "1,50";
    QTest::newRow("product without cost") << QStringList({"000003:7", "000001:1"}) << "2,00";
    QTest::newRow("product gone counts 0") << QStringList({"GONE:5", "000001:1"}) << "2,00";
    QTest::newRow("same product twice") << QStringList({"000001:1", "000001:2"}) << "6,00";
}

void TestKits::costOfItems()
{
    QFETCH(QStringList, items);
    QFETCH(QString, cost);
    TestRoot root;
    auto logon = root.connect();
    addProduct(*logon, "000001", "ARROZ", "2");
    addProduct(*logon, "000002", "SAL", "0.125");
    addProduct(*logon, "000003", "AGUA", "NULL");
    addKit(*logon, "K", "KIT");
    for (const QString &item : items)
        addItem(*logon, "K", item.section(':', 0, 0), "X", item.section(':', 1, 1));
    TFormKit w;
    compose(w, [&](TFormKitItens *e) {
        QCOMPARE(edit(e, "Edit7")->text(), cost);
        QCOMPARE(e->items().size(), items.size());
    });
    w.reject();
}

void TestKits::productSearchFillsTheEntryRow()
{
    TestRoot root;
    auto logon = root.connect();
    addProduct(*logon, "000012", "FILE DE FRANGO", "3.5");
    addKit(*logon, "K", "KIT");
    TFormKit w;
    QVERIFY(show(&w));
    compose(w, [&](TFormKitItens *e) {
        button(e, "BitBtn1")->click();
        auto *search = child<QToolButton>(e, "SpeedButton1");
        QVERIFY(search->isVisible());
        QCOMPARE(search->focusPolicy(), Qt::NoFocus);
        Dialogs::queueModal([](QDialog *pick) { pick->accept(); });
        search->click();
        QCOMPARE(SelectedCode, QString("000012"));
        QCOMPARE(edit(e, "Edit4")->text(), QString("000012"));
        QCOMPARE(edit(e, "Edit5")->text(), QString("FILE DE FRANGO"));
        edit(e, "Edit6")->setText("4");
        button(e, "BitBtn2")->click();
        QCOMPARE(edit(e, "Edit7")->text(), QString("14,00"));
    });
    QCOMPARE(count(*logon, "select count(*) from kitprod where codprod = '000012' and quant = 4"), 1);
    w.reject();
}

void TestKits::addingRefusedShowsTheError()
{
    TestRoot root;
    auto logon = root.connect();
    addProduct(*logon, "000012", "FILE DE FRANGO", "3.5");
    addKit(*logon, "K", "KIT");
    refuse(*logon, "kitprod", "insert");
    TFormKit w;
    QVERIFY(show(&w));
    compose(w, [&](TFormKitItens *e) {
        addThroughEditor(e, "12", "1");
        const auto errors = shownOfKind(Dialogs::takeShown(), "error");
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().text.contains("gravacao recusada"));
        QCOMPARE(edit(e, "Edit7")->text(), QString("0,00"));
    });
    QCOMPARE(count(*logon, "select count(*) from kitprod"), 0);
    w.reject();
}

void TestKits::editorWithoutKitAddsNothing()
{
    TestRoot root;
    auto logon = root.connect();
    TFormKit w; // no kit at all
    QVERIFY(show(&w));
    compose(w, [&](TFormKitItens *e) {
        button(e, "BitBtn1")->click();
        QVERIFY(edit(e, "Edit4")->isHidden());
        button(e, "BitBtn2")->click();
    });
    QCOMPARE(count(*logon, "select count(*) from kitprod"), 0);
    QVERIFY(shownOfKind(Dialogs::takeShown(), "error").isEmpty());
    w.reject();
}

void TestKits::viewerListsAndCloses()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "B2", "SEGUNDO", "2");
    addKit(*logon, "A1", "PRIMEIRO", "1.5");
    TFormKit w;
    QVERIFY(show(&w));
    const QList<std::function<void(TFormVerKits *)>> ways = {
        [](TFormVerKits *v) { button(v, "BitBtn1")->click(); },
        [](TFormVerKits *v) { QTest::keyClick(child<QTableView>(v, "DBGrid1"), Qt::Key_Down); },
        [](TFormVerKits *v) {
            auto *grid = child<QTableView>(v, "DBGrid1");
            emit grid->doubleClicked(grid->model()->index(0, 0));
        },
    };
    for (const auto &close : ways) {
        bool closed = false;
        Dialogs::queueModal([&](QDialog *d) {
            auto *viewer = qobject_cast<TFormVerKits *>(d);
            QVERIFY(viewer);
            QCOMPARE(viewer->windowTitle(), QString(".: Ver Kits / Composições:."));
            QCOMPARE(viewer->list()->count(), 2);
            QCOMPARE(viewer->list()->valueAt(0, "CODIGO").toString(), QString("A1"));
            auto *grid = child<QTableView>(viewer, "DBGrid1");
            QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(), QString("Valor"));
            QCOMPARE(grid->model()->index(0, 2).data().toString(), QString("1,50"));
            close(viewer);
            closed = !viewer->isVisible();
        });
        action(w, "AVisualizar1")->trigger();
        QVERIFY(closed);
    }
    w.reject();
}

void TestKits::helpWindow()
{
    TestRoot root;
    auto logon = root.connect();
    TFormKit w;
    bool seen = false;
    Dialogs::queueModal([&](QDialog *d) {
        auto *help = qobject_cast<TFormAjuKits *>(d);
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QString("Ajuda - Como utilizar a composição de Pratos / drinks"));
        QVERIFY(child<QPlainTextEdit>(help, "Memo1")->isReadOnly());
        for (const char *word : {"ALM001", "CAIPIRINHA", "Novo Prod", "quantidade", "estoque"})
            QVERIFY2(help->helpText().contains(QString::fromUtf8(word)), word);
        QCOMPARE(button(help, "BitBtn1")->text(), QString("Retornar"));
        button(help, "BitBtn1")->click();
        seen = !help->isVisible();
    });
    action(w, "AComoUtilizar1")->trigger();
    QVERIFY(seen);
    w.reject();
}

void TestKits::kitListPrintsEachKitWithItsOwnItems()
{
    TestRoot root;
    auto logon = root.connect();
    logon->runStatement("update empresa set empresa = 'RESTAURANTE BOM PRATO', endereco = 'RUA UM 10', "
                        "cidade = 'CAMPINAS', estado = 'SP', cnpj = '12.345.678/0001-90'",
                        false);
    addKit(*logon, "CAIPIRINHA", "CAIPIRINHA DE LIMAO", "18");
    addKit(*logon, "ALM001", "ALMOCO 1", "32.5");
    addKit(*logon, "VAZIO", "KIT SEM ITENS", "1");
    addItem(*logon, "ALM001", "000001", "ARROZ", "0.2");
    addItem(*logon, "CAIPIRINHA", "000005", "CACHACA", "0.05");
    addItem(*logon, "ALM001", "000002", "FEIJAO", "0.15");
    addItem(*logon, "CAIPIRINHA", "000006", "LIMAO", "1");
    addItem(*logon, "ORFAO", "000009", "DE NINGUEM", "3"); // a kit that no longer exists
    TFormKit w;
    const ReportDocument doc = previewOf([&] { action(w, "ARelatorios1")->trigger(); });
    QCOMPARE(doc.name, QString("TFormImpKits"));
    QCOMPARE(doc.page.paper, PageSetup::Paper::A4);
    const QString text = pdfText(doc, root.root() + "/kits.pdf");
    QVERIFY(!text.isEmpty());
    const QStringList lines = squeezedLines(text);
    // Under the headings: each kit, its item headings, then its items only.
    const int first = int(lines.indexOf("CODIGO DESCRIÇÃO VALOR"));
    QVERIFY2(first >= 0, qPrintable(text));
    QCOMPARE(lines.mid(first + 1),
             QStringList({"ALM001 ALMOCO 1 32,50", "Codigo Produto Quantidade", "000001 ARROZ 0,2",
                          "000002 FEIJAO 0,15", "CAIPIRINHA CAIPIRINHA DE LIMAO 18,00", "Codigo Produto Quantidade",
                          "000005 CACHACA 0,05", "000006 LIMAO 1", "VAZIO KIT SEM ITENS 1,00",
                          "Codigo Produto Quantidade"}));
    inOrder(text, {"RELATÓRIO DE KITS - LISTAGEM GERAL DOS KITS", "EMPRESA\\s+RESTAURANTE BOM PRATO",
                   "ENDEREÇO\\s+RUA UM 10", "CIDADE\\s+CAMPINAS SP", "CNPJ\\s+12\\.345\\.678/0001-90"});
    w.reject();
}

void TestKits::technicalSheet()
{
    TestRoot root;
    auto logon = root.connect();
    logon->runStatement("update empresa set empresa = 'RESTAURANTE BOM PRATO'", false);
    addProduct(*logon, "000001", "ARROZ", "4");
    addProduct(*logon, "000002", "SAL", "1234.5");
    addKit(*logon, "A0", "OUTRO", "1");
    addKit(*logon, "ALM001", "ALMOCO 1", "2500");
    addItem(*logon, "ALM001", "000001", "ARROZ", "0.125");
    addItem(*logon, "ALM001", "000002", "SAL", "2");
    addItem(*logon, "ALM001", "GONE", "SUMIU", "3");
    addItem(*logon, "A0", "000001", "ARROZ", "9");
    TFormKit w;
    w.copy()->locate("CODIGO", "ALM001");
    logon->setRecording(true);
    const ReportDocument doc = previewOf([&] { action(w, "BImprimir1")->trigger(); });
    QCOMPARE(logon->takeStatements().value(0), QString("select * from KitProd where codigo = 'ALM001'"));
    QCOMPARE(doc.name, QString("TFormImpPratoQui"));
    QCOMPARE(doc.page.paper, PageSetup::Paper::Letter);
    const QString text = pdfText(doc, root.root() + "/ficha.pdf");
    QVERIFY(!text.isEmpty());
    inOrder(text, {"FICHA TÉCNICA", "EMPRESA\\s+RESTAURANTE BOM PRATO", "DATA\\s+05/03/26 14:30:00",
                   "Produto\\s+ALM001 / ALMOCO 1", "CODIGO\\s+PRODUTO\\s+QUANT\\.\\s+CUSTO\\s+TOTAL",
                   "000001\\s+ARROZ\\s+0,12500000\\s+4,00\\s+0,50",
                   "000002\\s+SAL\\s+2,00000000\\s+1\\.234,50\\s+2\\.469,00",
                   "GONE\\s+SUMIU\\s+3,00000000\\s+0,00\\s+0,00", "TOTAL GERAL\\s+2\\.469,50",
                   "Custo da Composição\\s+2\\.469,50", "Custo Total\\s+2\\.500,00"});
    // Only this kit's components.
    QVERIFY(!text.contains("9,00000000"));

    // A second sheet starts its total from zero.
    const ReportDocument again = previewOf([&] { action(w, "BImprimir1")->trigger(); });
    QVERIFY(pdfText(again, root.root() + "/ficha2.pdf").contains(QRegularExpression("TOTAL GERAL\\s+2\\.469,50")));
    w.reject();
}

void TestKits::closingClosesSharedQueries()
{
    TestRoot root;
    auto logon = root.connect();
    addKit(*logon, "A1", "PRIMEIRO");
    logon->RunOnQuery("produtos", "select * from produtos", "open");
    {
        TFormKit w;
        QVERIFY(show(&w));
        action(w, "ZSair2")->trigger();
        QVERIFY(!w.isVisible());
    }
    QVERIFY(!logon->Produtos.active());
}

TAMBLO_TEST_MAIN(TestKits)
#include "tst_kits.moc"
