// The program on a database served by a Firebird server of the test's own on 127.0.0.1.
#include "tests/support/FbServer.h"
#include "tests/support/TestEnv.h"

#include "data/Globals.h"
#include "data/Schema.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"
#include "ui/Errors.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>

class TestServer : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void connectsThroughTheServer();
    void stoppedServerOffersTheLocalFile();
    void killedServerGivesAnErrorNotACrash();

private:
    std::unique_ptr<FbServer> m_server;
};

void TestServer::init()
{
    m_server = std::make_unique<FbServer>();
    if (!m_server->start())
        QSKIP(qPrintable(m_server->error()));
}

void TestServer::connectsThroughTheServer()
{
    TestRoot root;
    root.writeFile("SetupRede.Ini", m_server->address().toUtf8() + "\n");
    auto logon = root.connect();
    QVERIFY(logon->connected());
    QCOMPARE(ServerAddress, m_server->address());
    QCOMPARE(logon->databaseName(), m_server->address() + ":" + root.database());
    QCOMPARE(scalar(*logon, "select trim(mon$remote_protocol) from mon$attachments "
                            "where mon$attachment_id = current_connection").toString(),
             QString("TCPv4"));
    logon->RunOnQuery("atualiza", "insert into tipos (id, codigo, nome) values (GEN_ID(OUTROS,1), '1', 'SÃO JOÃO')", "exec");
    QCOMPARE(scalar(*logon, "select nome from tipos").toString(), QString("SÃO JOÃO"));
    QVERIFY(Dialogs::takeShown().isEmpty());
}

void TestServer::stoppedServerOffersTheLocalFile()
{
    TestRoot root;
    root.writeFile("SetupRede.Ini", m_server->address().toUtf8() + "\n");
    m_server->stop();
    QString shown;
    Dialogs::queueModal([&](QDialog *d) {
        shown = d->findChild<QLabel *>("Label2")->text();
        d->findChild<QPushButton *>("BitBtnConectar")->click();
    });
    auto logon = root.connect();
    QCOMPARE(shown, "IP do servidor : " + m_server->address());
    QVERIFY(logon->connected());
    QCOMPARE(logon->databaseName(), root.database());
    QCOMPARE(scalar(*logon, "select count(*) from kestrum").toInt(), 1);
}

void TestServer::killedServerGivesAnErrorNotACrash()
{
    TestRoot root;
    root.writeFile("SetupRede.Ini", m_server->address().toUtf8() + "\n");
    auto logon = root.connect();
    QVERIFY(logon->connected());
    logon->AppendLog("antes");
    m_server->kill();
    QVERIFY_THROWS_EXCEPTION(DbError, logon->AppendLog("depois"));
    QVERIFY_THROWS_EXCEPTION(DbError, logon->RunOnQuery("pesquisa", "select * from logs", "open"));
}

TAMBLO_TEST_MAIN(TestServer)
#include "tst_server.moc"
