// The F3 calendar: its title, its month buttons, how it closes, and that F3
// never stacks a second one.
#include "tests/support/TestEnv.h"

#include "app/TForm1.h"
#include "data/Clock.h"
#include "data/Globals.h"
#include "data/TFormCalender.h"
#include "ui/Dialogs.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

class TestCalendar : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensOnToday();
    void title_data();
    void title();
    void monthButtons();
    void titleFollowsTheGrid();
    void closes_data();
    void closes();
    void openCalendarMarksItselfOpen();
    void f3TwiceOpensOneCalendar();
};

namespace {

QLabel *titleLabel(QDialog *w) { return w->findChild<QLabel *>("Label1"); }
QCalendarWidget *grid(QDialog *w) { return w->findChild<QCalendarWidget *>("MonthCalendar1"); }
QWidget *gridView(QDialog *w) { return grid(w)->findChild<QWidget *>("qt_calendar_calendarview"); }

int modalsShown()
{
    int n = 0;
    for (const Dialogs::Shown &s : Dialogs::shown())
        n += s.kind == "modal" ? 1 : 0;
    return n;
}

int calendarsOpen()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<TFormCalender *>(w) && w->isVisible() ? 1 : 0;
    return n;
}

// Delivers a key where the operator's keyboard would: to the focused field
// of the window, made active first.
void pressIn(QWidget *window, QWidget *field, Qt::Key key)
{
    QApplication::setActiveWindow(window);
    field->setFocus();
    QCOMPARE(QApplication::focusWidget(), field);
    QTest::keyClick(field, key);
}

} // namespace

void TestCalendar::init()
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 15), QTime(9, 30)));
    CalendarOpen.clear();
    Dialogs::resetTest();
}

void TestCalendar::cleanup()
{
    Clock::setFixed(QDateTime());
    CalendarOpen.clear();
    QVERIFY(calendarsOpen() == 0);
}

void TestCalendar::opensOnToday()
{
    TFormCalender w;
    QCOMPARE(w.windowTitle(), QString("Calendario Kestrum"));
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(titleLabel(&w)->text(), QString("março, 2026"));
    QCOMPARE(grid(&w)->selectedDate(), QDate(2026, 3, 15));
    QCOMPARE(grid(&w)->monthShown(), 3);
    QCOMPARE(grid(&w)->yearShown(), 2026);
    QCOMPARE(grid(&w)->firstDayOfWeek(), Qt::Sunday);
    auto *ok = w.findChild<QPushButton *>("BitBtn1");
    QCOMPARE(ok->text(), QString("&OK"));
    QVERIFY(ok->isDefault());
    w.show();
    QCOMPARE(w.minimumSize(), w.maximumSize()); // fixed size
    QCOMPARE(w.frameGeometry().center(), w.screen()->availableGeometry().center());
    w.close();
}

void TestCalendar::title_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("expected");
    QTest::newRow("january") << 2026 << 1 << "janeiro, 2026";
    QTest::newRow("february") << 2025 << 2 << "fevereiro, 2025";
    QTest::newRow("march") << 2026 << 3 << "março, 2026";
    QTest::newRow("june") << 2001 << 6 << "junho, 2001";
    QTest::newRow("december") << 1999 << 12 << "dezembro, 1999";
}

void TestCalendar::title()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, expected);
    QCOMPARE(TFormCalender::titleFor(year, month), expected);
    Clock::setFixed(QDateTime(QDate(year, month, 1), QTime(8, 0)));
    TFormCalender w;
    QCOMPARE(titleLabel(&w)->text(), expected);
}

void TestCalendar::monthButtons()
{
    TFormCalender w;
    auto *previous = w.findChild<QPushButton *>("SpeedButton1");
    auto *next = w.findChild<QPushButton *>("SpeedButton2");
    QVERIFY(previous && next);
    previous->click();
    QCOMPARE(titleLabel(&w)->text(), QString("fevereiro, 2026"));
    previous->click();
    previous->click();
    QCOMPARE(titleLabel(&w)->text(), QString("dezembro, 2025"));
    QCOMPARE(grid(&w)->yearShown(), 2025);
    next->click();
    QCOMPARE(titleLabel(&w)->text(), QString("janeiro, 2026"));
    next->click();
    next->click();
    next->click();
    QCOMPARE(titleLabel(&w)->text(), QString("abril, 2026"));
    QCOMPARE(grid(&w)->monthShown(), 4);
    // The buttons only turn pages: the marked day stays today.
    QCOMPARE(grid(&w)->selectedDate(), QDate(2026, 3, 15));
}

void TestCalendar::titleFollowsTheGrid()
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 31), QTime(8, 0)));
    TFormCalender w;
    w.show();
    pressIn(&w, gridView(&w), Qt::Key_Right);
    QCOMPARE(grid(&w)->selectedDate(), QDate(2026, 4, 1));
    QCOMPARE(titleLabel(&w)->text(), QString("abril, 2026"));
    w.close();
}

void TestCalendar::closes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK button") << "ok" << int(QDialog::Accepted);
    QTest::newRow("Enter in the grid") << "enter" << int(QDialog::Accepted);
    QTest::newRow("Esc in the grid") << "esc" << int(QDialog::Rejected);
}

void TestCalendar::closes()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    bool closedByIt = false;
    Dialogs::queueModal([&](QDialog *dlg) {
        if (how == "ok")
            dlg->findChild<QPushButton *>("BitBtn1")->click();
        else
            pressIn(dlg, gridView(dlg), how == "enter" ? Qt::Key_Return : Qt::Key_Escape);
        closedByIt = !dlg->isVisible();
    });
    TFormCalender w;
    QCOMPARE(Dialogs::execModal(&w), result);
    QVERIFY(closedByIt);
}

void TestCalendar::openCalendarMarksItselfOpen()
{
    QString flagWhileOpen;
    Dialogs::queueModal([&](QDialog *dlg) {
        flagWhileOpen = CalendarOpen;
        dlg->findChild<QPushButton *>("BitBtn1")->click();
    });
    OpenCalendar();
    QCOMPARE(flagWhileOpen, QString("S"));
    QCOMPARE(CalendarOpen, QString());
    const QList<Dialogs::Shown> shown = Dialogs::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, QString("modal"));
    QCOMPARE(shown[0].caption, QString("Calendario Kestrum"));

    // While the flag says a calendar shows, nothing opens.
    CalendarOpen = "S";
    OpenCalendar();
    QVERIFY(Dialogs::takeShown().isEmpty());
    QCOMPARE(CalendarOpen, QString("S"));
}

void TestCalendar::f3TwiceOpensOneCalendar()
{
    installKeyboardHook();
    QWidget host;
    auto *edit = new QLineEdit(&host);
    host.show();

    int modalsAfterSecondF3 = -1;
    int calendarsAfterSecondF3 = -1;
    int modalsAfterControl = -1;
    Dialogs::queueModal([&](QDialog *dlg) {
        // F3 again, inside the calendar that is showing.
        pressIn(dlg, gridView(dlg), Qt::Key_F3);
        modalsAfterSecondF3 = modalsShown();
        calendarsAfterSecondF3 = calendarsOpen();
        // The same press with the flag down does reach the hook: the check
        // above is the flag at work, not a key lost on the way.
        CalendarOpen.clear();
        pressIn(dlg, gridView(dlg), Qt::Key_F3);
        modalsAfterControl = modalsShown();
        dlg->findChild<QPushButton *>("BitBtn1")->click();
    });
    pressIn(&host, edit, Qt::Key_F3);

    QCOMPARE(modalsAfterSecondF3, 1);
    QCOMPARE(calendarsAfterSecondF3, 1);
    QCOMPARE(modalsAfterControl, 2);
    QCOMPARE(CalendarOpen, QString());
    host.close();
}

TAMBLO_TEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
