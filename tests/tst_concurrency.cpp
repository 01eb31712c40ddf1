// Two copies of the program on one database through a server, and a server
// that dies under one of them: nothing lost, nothing doubled.
#include "tests/support/FbServer.h"
#include "tests/support/TestEnv.h"

#include "data/Schema.h"
#include "data/TLOGON.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QFile>
#include <QProcess>

namespace {

const QStringList Products = {"000001", "000002", "000003", "000004", "000005"};

struct WorkerRun
{
    QHash<QString, double> typed; // product → quantity typed (kits already spread)
    int movements = 0;
    int productMovements = 0;
    int kitMovements = 0;
    int retries = 0;
    QStringList errors;
    QSet<int> done;
};

} // namespace

class TestConcurrency : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void twoCopiesOnTheSameProducts();
    void serverKilledMidRun();

private:
    std::unique_ptr<TLOGON> prepare(const QString &file);
    QProcess *startWorker(int worker, int count, int giveUp = 20, const QString &stopFile = QString());
    void readWorker(QProcess &p, WorkerRun &run);

    std::unique_ptr<FbServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_db;
    QHash<QString, double> m_kit; // component → quantity in one kit
    std::vector<std::unique_ptr<QProcess>> m_workers;
};

void TestConcurrency::init()
{
    m_workers.clear();
    m_server = std::make_unique<FbServer>();
    if (!m_server->start())
        QSKIP(qPrintable(m_server->error()));
    m_dir = std::make_unique<QTemporaryDir>();
}

std::unique_ptr<TLOGON> TestConcurrency::prepare(const QString &file)
{
    m_db = m_server->address() + ":" + m_dir->path() + "/" + file;
    Schema::install(m_db);
    TLOGON::Options options;
    options.localDatabase = m_db;
    options.readSetup = false;
    auto logon = std::make_unique<TLOGON>(options);
    for (const QString &code : Products)
        logon->RunOnQuery("atualiza", "insert into produtos (id, codigo, nome, custo, medio) values "
                                      "(GEN_ID(PRODUTO,1), '" + code + "', 'PRODUTO " + code + "', '2.000', '2.000')", "exec");
    logon->RunOnQuery("atualiza", "insert into kitmaster (id, codigo, nome) values (GEN_ID(KITMASTER,1), 'K1', 'KIT DE TESTE')", "exec");
    m_kit = {{"000001", 1}, {"000003", 2}, {"000005", 3}};
    for (auto it = m_kit.cbegin(); it != m_kit.cend(); ++it)
        logon->RunOnQuery("atualiza", QString("insert into kitprod (id, codigo, codprod, nome, quant) values "
                                              "(GEN_ID(KITPROD,1), 'K1', '%1', 'ITEM', '%2')").arg(it.key()).arg(it.value()), "exec");
    logon->RunOnQuery("atualiza", "insert into fornecedor (id, codigo, nome) values (GEN_ID(FORNE,1), '1', 'FORNECEDOR')", "exec");
    return logon;
}

QProcess *TestConcurrency::startWorker(int worker, int count, int giveUp, const QString &stopFile)
{
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p->setProcessEnvironment(env);
    p->start(TAMBLO_WORKER, {"--db", m_db, "--worker", QString::number(worker), "--count", QString::number(count),
                             "--products", Products.join(','), "--kit", "K1", "--give-up", QString::number(giveUp),
                             "--stop-file", stopFile});
    m_workers.push_back(std::move(p));
    return m_workers.back().get();
}

void TestConcurrency::readWorker(QProcess &p, WorkerRun &run)
{
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList f = line.split(' ');
        if (f.value(0) == "done" && f.size() == 4) {
            run.done.insert(f[1].toInt());
            ++run.movements;
            const double q = f[3].toDouble();
            if (f[2].startsWith('/')) {
                ++run.kitMovements;
                for (auto it = m_kit.cbegin(); it != m_kit.cend(); ++it)
                    run.typed[it.key()] += q * it.value();
            } else {
                ++run.productMovements;
                run.typed[f[2]] += q;
            }
        } else if (f.value(0) == "retries") {
            run.retries += f.value(1).toInt();
        } else {
            run.errors << line;
        }
    }
}

void TestConcurrency::twoCopiesOnTheSameProducts()
{
    auto logon = prepare("concorrencia.fdb");
    // By hand: TAMBLO_CONCURRENCY_COUNT=1000 for the long run.
    const int count = qEnvironmentVariableIntValue("TAMBLO_CONCURRENCY_COUNT") > 0
                          ? qEnvironmentVariableIntValue("TAMBLO_CONCURRENCY_COUNT") : 200;
    QElapsedTimer timer;
    timer.start();
    QProcess *a = startWorker(1, count);
    QProcess *b = startWorker(2, count);
    QVERIFY(a->waitForFinished(600000));
    QVERIFY(b->waitForFinished(600000));
    const qint64 ms = timer.elapsed();
    WorkerRun run;
    readWorker(*a, run);
    readWorker(*b, run);
    QVERIFY2(run.errors.isEmpty(), qPrintable(run.errors.join('\n')));
    QCOMPARE(run.movements, 2 * count);
    qInfo("%d movements by two copies in %lld ms; %d statements run again after an update conflict",
          run.movements, ms, run.retries);

    const int ledgerRows = run.productMovements + run.kitMovements * int(m_kit.size());
    QCOMPARE(scalar(*logon, "select count(*) from estfic").toInt(), ledgerRows);
    QCOMPARE(scalar(*logon, "select count(distinct id) from estfic").toInt(), ledgerRows);
    QCOMPARE(scalar(*logon, "select count(*) from logs where historico starting with 'Movimentou'").toInt(), ledgerRows);
    for (const QString &code : Products) {
        const double balance = scalar(*logon, "select coalesce(sum(entrada),0) - coalesce(sum(saida),0) from estfic "
                                              "where codigo = '" + code + "'").toDouble();
        QCOMPARE(balance, run.typed.value(code));
    }
}

void TestConcurrency::serverKilledMidRun()
{
    { auto logon = prepare("queda.fdb"); }
    const QString stop = m_dir->path() + "/stop";
    QProcess *w = startWorker(1, 1000000, 1000000, stop);
    QVERIFY(w->waitForStarted());
    QByteArray out;
    auto readUntil = [&](const QByteArray &what, int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms && w->state() == QProcess::Running) {
            w->waitForReadyRead(100);
            out += w->readAllStandardOutput();
            if (out.contains(what))
                return true;
        }
        return false;
    };
    // Some movements finish, then the server dies under the copy.
    QVERIFY(readUntil("done 20 ", 60000));
    m_server->kill();
    // The copy shows its errors and goes on answering: it neither crashes nor hangs.
    QVERIFY(readUntil("error ", 60000));
    QVERIFY(w->state() == QProcess::Running);
    // The server comes back: the same copy attaches anew and goes on working.
    QVERIFY(m_server->start());
    const int back = int(out.size());
    QTRY_VERIFY_WITH_TIMEOUT((out += w->readAllStandardOutput()).indexOf("done ", back) >= 0, 60000);
    QFile(stop).open(QIODevice::WriteOnly);
    QVERIFY(w->waitForFinished(60000));
    QCOMPARE(w->exitStatus(), QProcess::NormalExit);
    QCOMPARE(w->exitCode(), 0);
    out += w->readAllStandardOutput();

    WorkerRun run;
    const QStringList lines = QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList f = line.split(' ');
        if (f.value(0) == "retries")
            continue;
        if (f.value(0) == "done") {
            ++run.movements;
            if (f.value(2).startsWith('/'))
                ++run.kitMovements;
            else
                ++run.productMovements;
        } else {
            run.errors << line;
        }
    }
    QVERIFY(!run.errors.isEmpty());
    for (const QString &e : run.errors)
        QVERIFY2(e.startsWith("error "), qPrintable(e));

    TLOGON::Options options;
    options.localDatabase = m_db;
    options.readSetup = false;
    TLOGON logon(options);
    // Every movement whose confirmation finished is in the ledger, once.
    const int ledgerRows = run.productMovements + run.kitMovements * int(m_kit.size());
    const int stored = scalar(logon, "select count(*) from estfic").toInt();
    const int logs = scalar(logon, "select count(*) from logs where historico starting with 'Movimentou'").toInt();
    qInfo("finished %d movements, %d failed while the server was down; %d ledger rows stored for %d expected; "
          "%d log rows without their ledger row", run.movements, int(run.errors.size()), stored, ledgerRows,
          logs - stored);
    QVERIFY2(stored >= ledgerRows && stored <= ledgerRows + int(m_kit.size()),
             qPrintable(QString("%1 stored, %2 finished").arg(stored).arg(ledgerRows)));
    QVERIFY(logs - stored >= 0 && logs - stored <= int(m_kit.size()));
    QCOMPARE(scalar(logon, "select count(distinct id) from estfic").toInt(), stored);
}

TAMBLO_TEST_MAIN(TestConcurrency)
#include "tst_concurrency.moc"
