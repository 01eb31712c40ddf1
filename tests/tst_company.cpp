// Company data, the system setting and the network setup.
#include "tests/support/TestEnv.h"

#include "app/TForm1.h"
#include "app/TFormCFG.h"
#include "app/TFormEmpresa.h"
#include "app/TFormSetupRede.h"
#include "data/Globals.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace {

template <typename Window>
void runModal(const std::function<void(QDialog &)> &operate)
{
    Window window;
    Dialogs::queueModal([&](QDialog *d) { operate(*d); });
    Dialogs::execModal(&window);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString companyValue(TLOGON &logon, const QString &column)
{
    return scalar(logon, "select " + column + " from empresa").toString();
}

QList<Dialogs::Shown> shownBut(const QString &kind)
{
    QList<Dialogs::Shown> out;
    for (const Dialogs::Shown &s : Dialogs::takeShown())
        if (s.kind != kind)
            out << s;
    return out;
}

const QString SavedMessage = "** IP do Servidor Gravado com sucesso...\n"
                             "** O sistema precisa ser reiniciado para reconhecer o novo IP";

} // namespace

class TestCompany : public QObject
{
    Q_OBJECT
private slots:
    void setupSavedAndReadAtNextStart_data();
    void setupSavedAndReadAtNextStart();
    void setupRetornarWritesNothing();
    void setupUnwritableFile();
    void setupEndsTheProgram();
    void settingsConfirm_data();
    void settingsConfirm();
    void settingsCloseBoxChangesNothing();
    void settingsFailedUpdatePutsSelectBack();
    void companyShowsInstalledData();
    void companyCloseBoxLosesEdits();
    void companyRetornarStores();
    void companyCnpjLimit();
    void companyFailedApplyKeepsWindow();
};

void TestCompany::setupSavedAndReadAtNextStart_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("vazio") << "";
    QTest::newRow("nome de maquina") << "servidor.empresa.local";
}

void TestCompany::setupSavedAndReadAtNextStart()
{
    QFETCH(QString, address);
    TestRoot root;
    auto logon = root.connect();
    root.writeFile("SetupRede.Ini", "127.0.0.9/3050\nsegunda linha\n");
    QString shownAtOpen;
    runModal<TFormSetupRede>([&](QDialog &d) {
        auto *edit = d.findChild<QLineEdit *>("Edit1");
        shownAtOpen = edit->text();
        edit->setText(address);
        d.findChild<QPushButton *>("BitBtn1")->click();
    });
    QCOMPARE(shownAtOpen, QString("127.0.0.9/3050"));
    QCOMPARE(readFile(root.install() + "/SetupRede.Ini"), address.toUtf8() + "\n");
    const QList<Dialogs::Shown> shown = shownBut("modal");
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("message"));
    QCOMPARE(shown[0].text, SavedMessage);

    // The next start: this machine's database, and no window about it.
    logon.reset();
    auto next = std::make_unique<TLOGON>();
    QVERIFY(next->connected());
    QCOMPARE(next->databaseName(), root.database());
    QVERIFY(ServerAddress.isEmpty());
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestCompany::setupRetornarWritesNothing()
{
    TestRoot root;
    auto logon = root.connect();
    // A blank first line shows as an empty field.
    root.writeFile("SetupRede.Ini", "   \n127.0.0.9/3050\n");
    runModal<TFormSetupRede>([&](QDialog &d) {
        auto *edit = d.findChild<QLineEdit *>("Edit1");
        QVERIFY(edit->text().isEmpty());
        edit->setText("127.0.0.8/3050");
        d.findChild<QPushButton *>("BitBtn2")->click();
    });
    QCOMPARE(readFile(root.install() + "/SetupRede.Ini"), QByteArray("   \n127.0.0.9/3050\n"));
    QVERIFY(shownBut("modal").isEmpty());
}

void TestCompany::setupUnwritableFile()
{
    TestRoot root;
    auto logon = root.connect();
    // A folder where the file should be: it cannot be written.
    QVERIFY(QDir(root.install()).mkdir("SetupRede.Ini"));
    bool stillOpen = false;
    runModal<TFormSetupRede>([&](QDialog &d) {
        d.findChild<QLineEdit *>("Edit1")->setText("127.0.0.8/3050");
        d.findChild<QPushButton *>("BitBtn1")->click();
        stillOpen = d.isVisible();
        d.close();
    });
    QVERIFY(stillOpen);
    const QList<Dialogs::Shown> shown = shownBut("modal");
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("error")); // never the success message
}

void TestCompany::setupEndsTheProgram()
{
    TestRoot root;
    TForm1 main; // its login is not answered, which is enough to reach its closing
    Dialogs::takeShown();
    QVERIFY(LOGON);
    runModal<TFormSetupRede>([&](QDialog &d) {
        d.findChild<QLineEdit *>("Edit1")->setText("127.0.0.7/3050");
        d.findChild<QPushButton *>("BitBtn1")->click();
    });
    const QList<Dialogs::Shown> shown = shownBut("modal");
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].text, SavedMessage);
    QVERIFY2(shown[1].text.contains("backup"), qPrintable(shown[1].text)); // the main window's closing
    QCOMPARE(scalar(*LOGON, "select count(*) from logs where historico = 'Saiu do sistema nessa data e hora'").toInt(),
             1);
}

void TestCompany::settingsConfirm_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<bool>("check");
    QTest::addColumn<QString>("update");
    QTest::addColumn<int>("after");
    QTest::newRow("liga") << 0 << true << "update empresa  set SCL1 = '1'" << 1;
    QTest::newRow("desliga") << 1 << false << "update empresa  set SCL1 = '0'" << 0;
    QTest::newRow("mantem") << 1 << true << "update empresa  set SCL1 = '1'" << 1;
}

void TestCompany::settingsConfirm()
{
    QFETCH(int, before);
    QFETCH(bool, check);
    QFETCH(QString, update);
    QFETCH(int, after);
    TestRoot root;
    auto logon = root.connect();
    logon->runStatement(QString("update empresa set SCL1 = %1").arg(before), false);
    logon->setRecording(true);
    runModal<TFormCFG>([&](QDialog &d) {
        auto *box = d.findChild<QCheckBox *>("CheckBox1");
        QCOMPARE(box->text(), QString("Nao Permite saida no estoque Negativo"));
        QCOMPARE(box->isChecked(), before == 1);
        box->setChecked(check);
        d.findChild<QPushButton *>("BitBtn1")->click();
        QVERIFY(!d.isVisible());
    });
    QCOMPARE(logon->takeStatements(), (QStringList{"select * from empresa", update}));
    logon->setRecording(false);
    QCOMPARE(companyValue(*logon, "SCL1").toInt(), after);
    // Report headers open the company query as it stands: it must read the company row.
    QCOMPARE(logon->Empresa.sql(), QString("select * from empresa"));
    logon->Empresa.open();
    QCOMPARE(logon->Empresa.text("EMPRESA"), QString("LOJA TESTE"));
    QCOMPARE(logon->Empresa.integer("SCL1"), after);
    QVERIFY(shownBut("modal").isEmpty());
}

void TestCompany::settingsCloseBoxChangesNothing()
{
    TestRoot root;
    auto logon = root.connect();
    logon->setRecording(true);
    runModal<TFormCFG>([&](QDialog &d) {
        d.findChild<QCheckBox *>("CheckBox1")->setChecked(true);
        d.close();
    });
    QCOMPARE(logon->takeStatements(), QStringList{"select * from empresa"});
    QCOMPARE(companyValue(*logon, "SCL1").toInt(), 0);
}

void TestCompany::settingsFailedUpdatePutsSelectBack()
{
    TestRoot root;
    auto logon = root.connect();
    bool stillOpen = false;
    runModal<TFormCFG>([&](QDialog &d) {
        d.findChild<QCheckBox *>("CheckBox1")->setChecked(true);
        logon->database().close(); // the server goes away
        d.findChild<QPushButton *>("BitBtn1")->click();
        stillOpen = d.isVisible();
        d.close();
    });
    QVERIFY(stillOpen);
    const QList<Dialogs::Shown> shown = shownBut("modal");
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("error"));
    QCOMPARE(logon->Empresa.sql(), QString("select * from empresa"));
}

void TestCompany::companyShowsInstalledData()
{
    TestRoot root;
    auto logon = root.connect();
    TFormEmpresa window;
    const char *expected[] = {"LOJA TESTE", "RUA DAS FLORES 10", "SALVADOR", "BA"};
    for (int i = 0; i < 4; ++i) {
        auto *edit = window.findChild<QLineEdit *>(QString("DBEdit%1").arg(i + 1));
        QCOMPARE(edit->text(), QString(expected[i]));
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->focusPolicy(), Qt::NoFocus);
    }
    for (int i = 5; i <= 6; ++i) {
        auto *edit = window.findChild<QLineEdit *>(QString("DBEdit%1").arg(i));
        QVERIFY(!edit->isReadOnly());
        QVERIFY(edit->focusPolicy() != Qt::NoFocus);
    }
}

void TestCompany::companyCloseBoxLosesEdits()
{
    TestRoot root;
    auto logon = root.connect();
    CurrentCompanyName = "ANTES";
    logon->setRecording(true);
    runModal<TFormEmpresa>([&](QDialog &d) {
        QTest::keyClicks(d.findChild<QLineEdit *>("DBEdit5"), "11.111.111/0001-11");
        d.close();
    });
    QCOMPARE(logon->takeStatements(), QStringList{"Select * from empresa"});
    QCOMPARE(companyValue(*logon, "CNPJ"), QString(""));
    QCOMPARE(CurrentCompanyName, QString("ANTES"));
}

void TestCompany::companyRetornarStores()
{
    TestRoot root;
    auto logon = root.connect();
    CurrentCompanyName = "ANTES";
    runModal<TFormEmpresa>([&](QDialog &d) {
        auto *cnpj = d.findChild<QLineEdit *>("DBEdit5");
        auto *ie = d.findChild<QLineEdit *>("DBEdit6");
        auto *retornar = d.findChild<QPushButton *>("BitBtn1");
        QCOMPARE(d.focusWidget(), static_cast<QWidget *>(cnpj));
        QTest::keyClicks(cnpj, "12.345.678/0001-90");
        QTest::keyClick(cnpj, Qt::Key_Return);
        QCOMPARE(d.focusWidget(), static_cast<QWidget *>(ie));
        QTest::keyClicks(ie, "ie 123");
        QCOMPARE(ie->text(), QString("IE 123"));
        // Enter reaches the button without pressing it.
        QTest::keyClick(ie, Qt::Key_Return);
        QCOMPARE(d.focusWidget(), static_cast<QWidget *>(retornar));
        QVERIFY(d.isVisible());
        retornar->click();
        QVERIFY(!d.isVisible());
    });
    QCOMPARE(companyValue(*logon, "CNPJ"), QString("12.345.678/0001-90"));
    QCOMPARE(companyValue(*logon, "IESTADUAL"), QString("IE 123"));
    QCOMPARE(companyValue(*logon, "EMPRESA"), QString("LOJA TESTE"));
    QCOMPARE(CurrentCompanyName, QString("LOJA TESTE"));
    QVERIFY(shownBut("modal").isEmpty());
}

void TestCompany::companyCnpjLimit()
{
    TestRoot root;
    auto logon = root.connect();
    runModal<TFormEmpresa>([&](QDialog &d) {
        for (const char *name : {"DBEdit5", "DBEdit6"}) {
            auto *edit = d.findChild<QLineEdit *>(name);
            QTest::keyClicks(edit, QString(25, '9'));
            QCOMPARE(edit->text(), QString(20, '9'));
        }
        d.findChild<QPushButton *>("BitBtn1")->click();
    });
    QCOMPARE(companyValue(*logon, "CNPJ"), QString(20, '9'));
    QCOMPARE(companyValue(*logon, "IESTADUAL"), QString(20, '9'));
    QVERIFY(shownBut("modal").isEmpty());
}

void TestCompany::companyFailedApplyKeepsWindow()
{
    TestRoot root;
    auto logon = root.connect();
    CurrentCompanyName = "ANTES";
    bool stillOpen = false;
    QString kept;
    runModal<TFormEmpresa>([&](QDialog &d) {
        auto *cnpj = d.findChild<QLineEdit *>("DBEdit5");
        QTest::keyClicks(cnpj, "12.345.678/0001-90");
        logon->database().close(); // the server goes away
        d.findChild<QPushButton *>("BitBtn1")->click();
        stillOpen = d.isVisible();
        kept = cnpj->text();
        d.close();
    });
    QVERIFY(stillOpen);
    QCOMPARE(kept, QString("12.345.678/0001-90"));
    QCOMPARE(CurrentCompanyName, QString("ANTES"));
    const QList<Dialogs::Shown> shown = shownBut("modal");
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("error"));
}

TAMBLO_TEST_MAIN(TestCompany)
#include "tst_company.moc"
