// The benchmark tools run end to end on a small data set.
#include "tests/support/TestEnv.h"

#include <QProcess>
#include <QRegularExpression>

class TestBench : public QObject
{
    Q_OBJECT
private slots:
    void smallDataSetGivesEveryLine();
};

void TestBench::smallDataSetGivesEveryLine()
{
    QTemporaryDir dir;
    const QString db = dir.path() + "/bench.fdb";
    QProcess data;
    data.start(TAMBLO_BIN_DIR "/tamblo-bench-data",
               {db, "--products", "300", "--families", "10", "--suppliers", "20", "--customers", "30",
                "--centres", "5", "--kits", "5", "--rows", "3000"});
    QVERIFY(data.waitForFinished(120000));
    QVERIFY2(data.exitCode() == 0, data.readAllStandardError().constData());

    QProcess bench;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    bench.setProcessEnvironment(env);
    bench.start(TAMBLO_BIN_DIR "/tamblo-bench", {db, "--runs", "1"});
    QVERIFY(bench.waitForFinished(300000));
    QVERIFY2(bench.exitCode() == 0, bench.readAllStandardError().constData());
    const QStringList out = QString::fromUtf8(bench.readAllStandardOutput()).trimmed().split('\n');
    QVERIFY(out.size() >= 6);
    const QStringList last = out.mid(out.size() - 6);
    const QStringList names = {"start", "code_exit", "confirm", "position", "monthly_sums", "card_sums"};
    static const QRegularExpression shape("^(\\w+) ours_ms=[0-9.]+ floor_ms=[0-9.]+ ratio=[0-9.]+$");
    for (int i = 0; i < 6; ++i) {
        const auto m = shape.match(last.at(i));
        QVERIFY2(m.hasMatch(), qPrintable(last.at(i)));
        QCOMPARE(m.captured(1), names.at(i));
    }
}

TAMBLO_TEST_MAIN(TestBench)
#include "tst_bench.moc"
