// Program start and the main window.
#include "tests/support/TestEnv.h"

#include "app/TForm1.h"

class TestStart : public QObject
{
    Q_OBJECT
private slots:
    void placeholder() { QVERIFY(true); }
};

TAMBLO_TEST_MAIN(TestStart)
#include "tst_start.moc"
