// The login, the supervisor window and the access checks of the main window,
// through the real windows on a fresh database.
#include "tests/support/TestEnv.h"

#include "app/Access.h"
#include "app/Login.h"
#include "app/MenuTable.h"
#include "app/TForm1.h"
#include "app/TFormAcessos.h"
#include "app/TFormProtecao.h"
#include "data/Globals.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"
#include "ui/ShowModal.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString WrongLogin = QStringLiteral("Usuário ou Senha -> Está Incorreta");
const QString Denied = QStringLiteral("       Acesso não autorizado         ");
const QString TooMany = QStringLiteral("Número de tentativas esgotadas.");
const QString Backup = QStringLiteral("** Faça backup do sistema regularmente **\n"
                                      "** Utilize o aplicativo instalado junto com o programa  **");

// Users besides KESTRUM / 7358 (master, 127) delivered with the database.
void addUser(const TestRoot &root, const QString &name, const QString &password, const QString &master,
             const QVariant &rights)
{
    auto logon = root.connect();
    const QString codvend = rights.isValid() ? QString::number(rights.toInt()) : QStringLiteral("null");
    logon->runStatement(QStringLiteral("insert into kestrum (id, nome, senha, master, codvend) values "
                                       "(GEN_ID(SENHA,1), '%1', '%2', '%3', %4)")
                            .arg(name, password, master, codvend),
                        false);
}

// Types as a keyboard would, accented letters included (keyClicks takes ASCII only).
void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void typeInto(QDialog *d, const QString &name, const QString &password)
{
    auto *user = d->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    auto *secret = d->findChild<QLineEdit *>(QStringLiteral("Edit2"));
    QVERIFY(user && secret);
    user->clear();
    secret->clear();
    typeText(user, name);
    typeText(secret, password);
    // Enter in the password field confirms, in both windows.
    QTest::keyClick(secret, Qt::Key_Return);
}

// Drives a login or supervisor window through attempts "NAME/PASSWORD" in
// turn; "-" presses the window's cancel button.
Dialogs::ModalHandler attempts(const QStringList &tries)
{
    return [tries](QDialog *d) {
        for (const QString &attempt : tries) {
            if (!d->isVisible())
                return;
            if (attempt == QLatin1String("-")) {
                // "Sair" in the login, "Cancela" in the supervisor window.
                d->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
                return;
            }
            const int slash = attempt.indexOf(QLatin1Char('/'));
            typeInto(d, attempt.left(slash), attempt.mid(slash + 1));
        }
    };
}

int countShown(const QList<Dialogs::Shown> &shown, const QString &kind, const QString &text)
{
    int n = 0;
    for (const Dialogs::Shown &s : shown)
        if (s.kind == kind && s.text == text)
            ++n;
    return n;
}

const MenuEntry *findEntry(const QString &objectName)
{
    if (objectName.startsWith(QLatin1String("tool_"))) {
        for (const MenuEntry &e : toolbarButtons())
            if (e.id == objectName.mid(5))
                return &e;
        return nullptr;
    }
    for (const MenuGroup &g : mainMenu())
        for (const MenuEntry &e : g.entries)
            if (e.id == objectName.mid(5))
                return &e;
    return nullptr;
}

struct LogRow
{
    QString history;
    QString user;
};

QList<LogRow> logRows(TLOGON &logon)
{
    QList<LogRow> rows;
    const TLOGON::Result r = logon.runStatement(
        QStringLiteral("select historico, coalesce(usuario, '') from logs order by id"), true);
    for (const auto &row : r.rows)
        rows.append({row.at(0).toString(), row.at(1).toString()});
    return rows;
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void loginWindow();
    void helpWindow();
    void login_data();
    void login();
    void loginStatementsAndClosing();
    void duplicatedUsersLastOneDecides();
    void databaseErrorIsNoFailedLogin();
    void threeFailuresThenRightLogsIn();
    void fourthFailureEndsProgram();
    void sairEndsAfterBackupReminder();
    void supervisorWindow();
    void access_data();
    void access();
    void grantLastsOneOpening();
};

void TestLogin::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName() + QStringLiteral(" left open")));
    Dialogs::resetTest();
}

void TestLogin::loginWindow()
{
    TestRoot root;
    auto logon = root.connect();
    bool checked = false;
    Dialogs::queueModal([&](QDialog *d) {
        QVERIFY(d->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(d->size(), QSize(301, 432));
        QCOMPARE(d->findChild<QLabel *>("Panel1")->text(), QString("Controle de Estoque"));
        QCOMPARE(d->findChild<QLabel *>("Label1")->text(), QString("Informe um usúario com permissão"));
        QCOMPARE(d->findChild<QLabel *>("Label2")->text(), QString("para acessar o sistema"));
        QCOMPARE(d->findChild<QLabel *>("Label3")->text(), QString("USÚARIO"));
        QCOMPARE(d->findChild<QLabel *>("Label4")->text(), QString("SENHA"));
        QVERIFY(d->findChild<QLabel *>("Label5")->text().contains(TAMBLO_VERSION));
        QVERIFY(!d->findChild<QLabel *>("Image1")->pixmap().isNull());
        QVERIFY(!d->findChild<QLabel *>("Image2")->pixmap().isNull());
        QCOMPARE(d->findChild<QPushButton *>("BitBtn1")->text(), QString("Confirmar"));
        QCOMPARE(d->findChild<QPushButton *>("BitBtn2")->text(), QString("Sair"));
        QCOMPARE(d->findChild<QPushButton *>("BitBtn3")->text(), QString());

        auto *user = d->findChild<QLineEdit *>("Edit1");
        auto *password = d->findChild<QLineEdit *>("Edit2");
        // Never more than KESTRUM.NOME and KESTRUM.SENHA hold.
        typeText(user, "joão da silva santos");
        QCOMPARE(user->text(), QString("JOÃO DA SILVA S"));
        typeText(password, "segredo12345");
        QCOMPARE(password->text(), QString("SEGREDO123"));
        QCOMPARE(password->echoMode(), QLineEdit::Password);

        // Enter in the name moves to the password and confirms nothing.
        user->setFocus();
        QCOMPARE(d->focusWidget(), user);
        Dialogs::takeShown();
        QTest::keyClick(user, Qt::Key_Return);
        QCOMPARE(d->focusWidget(), password);
        QCOMPARE(Dialogs::takeShown().size(), 0);
        checked = true;
        d->findChild<QPushButton *>("BitBtn2")->click();
    });
    QVERIFY(RunLogin());
    QVERIFY(checked);
    QCOMPARE(CurrentUserName, QString());
    QCOMPARE(LoginFailures, 0);
}

void TestLogin::helpWindow()
{
    TestRoot root;
    auto logon = root.connect();
    QStringList lines;
    bool closed = false;
    Dialogs::queueModal([&](QDialog *login) {
        Dialogs::queueModal([&](QDialog *help) {
            QCOMPARE(help->windowTitle(), QString("Ajuda ao Primeiro acesso."));
            for (int i = 1; i <= 6; ++i)
                lines << help->findChild<QLabel *>(QStringLiteral("Label%1").arg(i))->text();
            QVERIFY(help->findChild<QLabel *>("Label1")->font().bold());
            help->findChild<QPushButton *>("BitBtn1")->click();
            closed = !help->isVisible();
        });
        login->findChild<QPushButton *>("BitBtn3")->click();
        // Back in the login after the help closes.
        QVERIFY(login->isVisible());
        login->findChild<QPushButton *>("BitBtn2")->click();
    });
    RunLogin();
    QVERIFY(closed);
    QCOMPARE(lines, QStringList({"Senha padrão", "Nome  KESTRUM", "Senha 7358",
                                 "Apos o primeiro acesso,  essa senha pode ser",
                                 "trocada por outra, utilizando no memu, ", "Manutenção de Senha"}));
    const auto shown = Dialogs::takeShown();
    QCOMPARE(countShown(shown, "modal", "FormAjuAcesso"), 1);
}

void TestLogin::login_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("user");   // CurrentUserName, empty when refused
    QTest::addColumn<int>("rights");
    QTest::addColumn<QString>("master");

    QTest::newRow("blanks and lower case around the name") << " kestrum " << "7358" << "KESTRUM" << 127 << "S";
    QTest::newRow("blank after the password") << "KESTRUM" << "7358 " << "KESTRUM" << 127 << "S";
    QTest::newRow("stored in lower case, kept as stored") << "maria" << "abc" << " maria " << 0 << "N";
    QTest::newRow("accented name") << "joão" << "x1" << "JOÃO" << 64 << "N";
    QTest::newRow("wrong password") << "KESTRUM" << "7359" << "" << 0 << "";
    QTest::newRow("another user's password") << "JOÃO" << "7358" << "" << 0 << "";
    QTest::newRow("nothing typed") << "" << "" << "" << 0 << "";
}

void TestLogin::login()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, user);
    QFETCH(int, rights);
    QFETCH(QString, master);

    TestRoot root;
    addUser(root, " maria ", "Abc", "N", QVariant()); // null rights read as 0
    addUser(root, "JOÃO", "X1", "N", 64);
    auto logon = root.connect();

    bool stayed = false;
    Dialogs::queueModal([&](QDialog *d) {
        typeInto(d, name, password);
        if (!d->isVisible())
            return;
        // A refusal keeps what was typed and goes back to the name.
        auto *edit1 = d->findChild<QLineEdit *>("Edit1");
        QCOMPARE(edit1->text(), name.toUpper());
        QCOMPARE(d->findChild<QLineEdit *>("Edit2")->text(), password.toUpper());
        QCOMPARE(d->focusWidget(), edit1);
        stayed = true;
        d->findChild<QPushButton *>("BitBtn2")->click();
    });
    QVERIFY(RunLogin());

    const auto shown = Dialogs::takeShown();
    const QList<LogRow> log = logRows(*logon);
    QCOMPARE(CurrentUserName, user);
    QCOMPARE(CurrentCompanyName, QString("LOJA TESTE"));
    if (user.isEmpty()) {
        QVERIFY(stayed);
        QCOMPARE(LoginFailures, 1);
        QCOMPARE(countShown(shown, "message", WrongLogin), 1);
        QCOMPARE(log.size(), 0);
        return;
    }
    QVERIFY(!stayed);
    QCOMPARE(LoginFailures, 0);
    QCOMPARE(CurrentUserRights, rights);
    QCOMPARE(OverrideRights, rights);
    QCOMPARE(OverrideIsMaster, master);
    QCOMPARE(countShown(shown, "message", WrongLogin), 0);
    QCOMPARE(log.size(), 1);
    QCOMPARE(log[0].history, QString("Entrou no sistema nessa data e hora "));
    QCOMPARE(log[0].user, user);
}

void TestLogin::loginStatementsAndClosing()
{
    TestRoot root;
    auto logon = root.connect();
    logon->setRecording(true);
    bool openWhileShown = false;
    Dialogs::queueModal([&](QDialog *d) {
        typeInto(d, "nobody", "1");
        openWhileShown = logon->Pesquisa.active();
        typeInto(d, "kestrum", "7358");
    });
    RunLogin();
    const QStringList statements = logon->takeStatements();
    QCOMPARE(statements.size(), 5);
    QCOMPARE(statements[0], QString("select * from empresa "));
    QCOMPARE(statements[1], QString("select * from kestrum "));
    QCOMPARE(statements[2], QString("select * from empresa "));
    QCOMPARE(statements[3], QString("select * from kestrum "));
    QVERIFY(statements[4].startsWith("insert into  LOGS (id,DATA,HISTORICO,USUARIO) values (\nGEN_ID(LOGS,1),\n'"));
    QVERIFY(statements[4].endsWith("',\n'Entrou no sistema nessa data e hora ',\n'KESTRUM')"));
    // The users stay in memory while the window shows; closing it lets them go.
    QVERIFY(openWhileShown);
    QVERIFY(!logon->Pesquisa.active());
}

void TestLogin::duplicatedUsersLastOneDecides()
{
    TestRoot root;
    addUser(root, "ANA", "1", "S", 4);
    addUser(root, "ana ", "1", "N", 8);
    auto logon = root.connect();
    Dialogs::queueModal(attempts({"ANA/1"}));
    RunLogin();
    QCOMPARE(CurrentUserName, QString("ana "));
    QCOMPARE(CurrentUserRights, 8);
    QCOMPARE(OverrideIsMaster, QString("N"));
    const QList<LogRow> log = logRows(*logon);
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[0].user, QString("ANA"));
    QCOMPARE(log[1].user, QString("ana "));
}

void TestLogin::databaseErrorIsNoFailedLogin()
{
    TestRoot root;
    auto logon = root.connect();
    logon->runStatement("drop table kestrum", false);
    bool stayed = false;
    Dialogs::queueModal([&](QDialog *d) {
        typeInto(d, "KESTRUM", "7358");
        stayed = d->isVisible();
        d->findChild<QPushButton *>("BitBtn2")->click();
    });
    RunLogin();
    QVERIFY(stayed);
    const auto shown = Dialogs::takeShown();
    QCOMPARE(std::count_if(shown.begin(), shown.end(), [](const Dialogs::Shown &s) { return s.kind == "error"; }), 1);
    QCOMPARE(countShown(shown, "message", WrongLogin), 0);
    QCOMPARE(LoginFailures, 0);
    QCOMPARE(CurrentUserName, QString());
}

void TestLogin::threeFailuresThenRightLogsIn()
{
    TestRoot root;
    Dialogs::queueModal(attempts({"KESTRUM/1", "KESTRUM/2", "X/7358", "KESTRUM/7358"}));
    TForm1 form;
    QVERIFY(form.started());
    QCOMPARE(LoginFailures, 3);
    QCOMPARE(CurrentUserName, QString("KESTRUM"));
    const auto shown = Dialogs::takeShown();
    QCOMPARE(countShown(shown, "message", WrongLogin), 3);
    QCOMPARE(countShown(shown, "beep", ""), 0);
    QCOMPARE(countShown(shown, "message", TooMany), 0);
    // The status bar names the company and the operator as soon as the window shows.
    const QString status = "|  LOJA TESTE   |   Operador: KESTRUM   | ";
    QCOMPARE(form.findChild<QLabel *>("StatusBar1")->text(), status);
    form.show();
    QCOMPARE(form.findChild<QLabel *>("StatusBar1")->text(), status);
    const QList<LogRow> log = logRows(*form.logon());
    QCOMPARE(log.size(), 1);
    QCOMPARE(log[0].history, QString("Entrou no sistema nessa data e hora "));
    QCOMPARE(log[0].user, QString("KESTRUM"));
    form.close();
    QCOMPARE(logRows(*form.logon()).size(), 2);
}

void TestLogin::fourthFailureEndsProgram()
{
    TestRoot root;
    Dialogs::queueModal(attempts({"A/1", "B/2", "C/3", "D/4", "KESTRUM/7358"}));
    bool ended = false;
    try {
        TForm1 form;
    } catch (const EndProgram &end) {
        ended = true;
        QCOMPARE(end.code, 0);
    }
    QVERIFY(ended);
    QCOMPARE(LoginFailures, 4);
    QCOMPARE(CurrentUserName, QString());
    const auto shown = Dialogs::takeShown();
    QStringList order;
    for (const Dialogs::Shown &s : shown)
        if (s.kind != "modal")
            order << s.kind + ":" + s.text;
    QCOMPARE(order, QStringList({"message:" + WrongLogin, "message:" + WrongLogin, "message:" + WrongLogin,
                                 "message:" + WrongLogin, "beep:", "message:" + TooMany}));
    // The main window never showed: no reminder, and nobody entered or left.
    auto logon = root.connect();
    QCOMPARE(logRows(*logon).size(), 0);
}

void TestLogin::sairEndsAfterBackupReminder()
{
    TestRoot root;
    Dialogs::queueModal(attempts({"KESTRUM/1", "-"}));
    TForm1 form;
    QVERIFY(!form.started());
    form.show();
    for (int i = 0; i < 100 && form.isVisible(); ++i)
        QCoreApplication::processEvents();
    QVERIFY(!form.isVisible());
    const auto shown = Dialogs::takeShown();
    QCOMPARE(countShown(shown, "message", Backup), 1);
    QCOMPARE(countShown(shown, "beep", ""), 0);
    const QList<LogRow> log = logRows(*form.logon());
    QCOMPARE(log.size(), 1);
    QCOMPARE(log[0].history, QString("Saiu do sistema nessa data e hora"));
    QCOMPARE(log[0].user, QString());
}

void TestLogin::supervisorWindow()
{
    TestRoot root;
    addUser(root, "CHEFE", "Abc", "N", 20);
    auto logon = root.connect();
    OverrideRights = 0;
    OverrideIsMaster = "N";
    logon->setRecording(true);
    int refusals = 0;
    Dialogs::queueModal([&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QString("Operação Restrita"));
        QCOMPARE(d->size(), QSize(296, 388));
        QCOMPARE(d->findChild<QLabel *>("Panel1")->text(), QString("Controle de Acesso"));
        QCOMPARE(d->findChild<QLabel *>("Label1")->text(), QString("Essa Operação requer Senha Master"));
        QCOMPARE(d->findChild<QLabel *>("Label2")->text(), QString("Informe um usúario com permissão"));
        QCOMPARE(d->findChild<QLabel *>("Label3")->text(), QString("para acessar o sistema"));
        QCOMPARE(d->findChild<QLabel *>("Label4")->text(), QString("Usuario"));
        QCOMPARE(d->findChild<QLabel *>("Label5")->text(), QString("Senha:"));
        QCOMPARE(d->findChild<QPushButton *>("BitBtn1")->text(), QString("&Confirma"));
        QCOMPARE(d->findChild<QPushButton *>("BitBtn2")->text(), QString("Cancela"));
        auto *user = d->findChild<QLineEdit *>("Edit1");
        auto *password = d->findChild<QLineEdit *>("Edit2");
        QCOMPARE(user->maxLength(), 15);
        QCOMPARE(password->maxLength(), 10);
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        // No limit on attempts here, unlike the login.
        for (int i = 0; i < 5; ++i) {
            typeInto(d, "chefe", QString::number(i));
            QVERIFY(d->isVisible());
            QCOMPARE(d->focusWidget(), user);
            refusals = countShown(Dialogs::shown(), "message", WrongLogin);
        }
        typeInto(d, " chefe", "abc ");
    });
    ShowModalForm<TFormAcessos>(nullptr);
    QCOMPARE(refusals, 5);
    QCOMPARE(OverrideRights, 20);
    QCOMPARE(OverrideIsMaster, QString("N"));
    QCOMPARE(logon->takeStatements(), QStringList(6, "select * from kestrum"));
    QCOMPARE(logRows(*logon).size(), 0);
    QCOMPARE(LoginFailures, 0);
}

void TestLogin::access_data()
{
    QTest::addColumn<QVariant>("rights");     // the operator's CODVEND (invalid: null)
    QTest::addColumn<QString>("master");       // the operator's MASTER
    QTest::addColumn<QString>("entry");        // object name of the menu action or toolbar button
    QTest::addColumn<QString>("supervisor");   // what is typed in the supervisor window; "-" cancels
    QTest::addColumn<bool>("asked");           // the supervisor window showed
    QTest::addColumn<bool>("opens");

    const QVariant none;
    // Unprotected entries open for anyone.
    QTest::newRow("null rights, system log") << none << "N" << "menu_logs" << "" << false << true;
    QTest::newRow("rights 0, product listing") << QVariant(0) << "N" << "menu_listprod" << "" << false << true;
    QTest::newRow("rights 0, company data") << QVariant(0) << "N" << "menu_empresa" << "" << false << true;
    QTest::newRow("rights 0, backup notice") << QVariant(0) << "N" << "menu_backup" << "" << false << true;
    // Protected entries need the bit or a supervisor holding it.
    QTest::newRow("rights 0, stock position, cancelled") << QVariant(0) << "N" << "menu_imprap" << "-" << true << false;
    QTest::newRow("null rights, products button, KESTRUM lends")
        << none << "N" << "tool_prod" << "kestrum/7358" << true << true;
    QTest::newRow("null rights, movement, wrong then cancelled")
        << none << "N" << "menu_movest" << "KESTRUM/1,-" << true << false;
    QTest::newRow("rights 64, purchase orders menu") << QVariant(64) << "N" << "menu_pedido" << "" << false << true;
    QTest::newRow("rights 64, purchase orders button") << QVariant(64) << "N" << "tool_pedido" << "" << false << true;
    QTest::newRow("rights 64, stock position asks") << QVariant(64) << "N" << "menu_imprap" << "-" << true << false;
    QTest::newRow("rights 64, supervisor lacking bit 4")
        << QVariant(64) << "N" << "menu_imprap" << "CHEFE/111" << true << false;
    QTest::newRow("rights 64, supervisor holding bit 4")
        << QVariant(64) << "N" << "menu_imprap" << "KESTRUM/7358" << true << true;
    QTest::newRow("rights 64, kits button asks") << QVariant(64) << "N" << "tool_kits" << "-" << true << false;
    QTest::newRow("rights 32, kits button") << QVariant(32) << "N" << "tool_kits" << "" << false << true;
    QTest::newRow("rights 16, cost centres") << QVariant(16) << "N" << "menu_ccusto" << "" << false << true;
    QTest::newRow("rights 16, card asks, registries supervisor refused")
        << QVariant(16) << "N" << "tool_ficha" << "CHEFE/111" << true << false;
    QTest::newRow("rights 127, exits listing") << QVariant(127) << "N" << "menu_relsaida" << "" << false << true;
    // Users: a master confirms every time, the operator's own flag aside.
    QTest::newRow("master operator, users, own password")
        << QVariant(127) << "S" << "menu_senha" << "OPERADOR/9" << true << true;
    QTest::newRow("master operator, users, cancelled") << QVariant(127) << "S" << "menu_senha" << "-" << true << false;
    QTest::newRow("users, non-master supervisor") << QVariant(127) << "S" << "menu_senha" << "CHEFE/111" << true << false;
    QTest::newRow("settings, master without rights")
        << QVariant(0) << "N" << "menu_cfg" << "GERENTE/222" << true << true;
    QTest::newRow("settings, non-master with every right")
        << QVariant(127) << "S" << "menu_cfg" << "ESTOQUE/333" << true << false;
    // Zeroing: a supervisor with right 1, whatever the operator holds.
    QTest::newRow("zeroing, all rights still asks, right 1 lends")
        << QVariant(127) << "S" << "menu_zerar" << "ESTOQUE/333" << true << true;
    QTest::newRow("zeroing, master without right 1") << QVariant(127) << "S" << "menu_zerar" << "GERENTE/222" << true << false;
}

void TestLogin::access()
{
    QFETCH(QVariant, rights);
    QFETCH(QString, master);
    QFETCH(QString, entry);
    QFETCH(QString, supervisor);
    QFETCH(bool, asked);
    QFETCH(bool, opens);

    TestRoot root;
    addUser(root, "OPERADOR", "9", master, rights);
    addUser(root, "CHEFE", "111", "N", 16);
    addUser(root, "GERENTE", "222", "S", 0);
    addUser(root, "ESTOQUE", "333", "N", 127);
    Dialogs::queueModal(attempts({"OPERADOR/9"}));
    TForm1 form;
    QCOMPARE(CurrentUserName, QString("OPERADOR"));
    Dialogs::takeShown();

    const QStringList tries = supervisor.isEmpty() ? QStringList() : supervisor.split(',');
    if (asked)
        Dialogs::queueModal(attempts(tries));
    if (entry.startsWith("menu_")) {
        // "sair" stands twice in the menu; every other id once.
        const auto actions = form.findChildren<QAction *>(entry);
        QCOMPARE(actions.size(), 1);
        actions.first()->trigger();
    } else {
        auto *button = form.findChild<QToolButton *>(entry);
        QVERIFY(button);
        button->click();
    }
    const auto shown = Dialogs::takeShown();
    QCOMPARE(countShown(shown, "modal", "FormAcessos"), asked ? 1 : 0);
    QCOMPARE(countShown(shown, "message", Denied), opens ? 0 : 1);

    // The same check on its own says whether the window would open.
    const MenuEntry *found = findEntry(entry);
    QVERIFY(found);
    if (asked)
        Dialogs::queueModal(attempts(tries));
    QCOMPARE(checkAccess(found->guard, found->bit), opens);
    QCOMPARE(countShown(Dialogs::takeShown(), "modal", "FormAcessos"), asked ? 1 : 0);
    // Neither the operator nor the log is touched by a supervisor.
    QCOMPARE(CurrentUserName, QString("OPERADOR"));
    QCOMPARE(CurrentUserRights, rights.toInt());
    QCOMPARE(logRows(*form.logon()).size(), 1);
}

void TestLogin::grantLastsOneOpening()
{
    TestRoot root;
    addUser(root, "OPERADOR", "9", "N", 0);
    Dialogs::queueModal(attempts({"OPERADOR/9"}));
    TForm1 form;
    Dialogs::takeShown();
    Dialogs::queueModal(attempts({"KESTRUM/7358"}));
    QVERIFY(checkAccess(Guard::Right, 4));
    QCOMPARE(OverrideRights, 127);
    QCOMPARE(OverrideIsMaster, QString("S"));
    // A supervisor who lent rights once lends nothing to the next opening,
    // nor does his master flag carry over to a master-only entry.
    QVERIFY(!checkAccess(Guard::Right, 4));
    QCOMPARE(OverrideRights, 0);
    QVERIFY(!checkAccess(Guard::Master, 0));
    QCOMPARE(OverrideIsMaster, QString("N"));
    QVERIFY(!checkAccess(Guard::Supervisor, 1));
    const auto shown = Dialogs::takeShown();
    QCOMPARE(countShown(shown, "modal", "FormAcessos"), 4);
    QCOMPARE(countShown(shown, "message", Denied), 3);
}

TAMBLO_TEST_MAIN(TestLogin)
#include "tst_login.moc"
