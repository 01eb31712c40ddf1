#include "data/TFormCalender.h"

#include "data/Clock.h"
#include "data/Globals.h"
#include "ui/Dialogs.h"
#include "ui/Look.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TFormCalender::TFormCalender(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCalender"));
    setWindowTitle(QStringLiteral("Calendario Kestrum"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Look::setFace(this);

    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);

    m_previous = new QPushButton(QStringLiteral("<"), this);
    m_previous->setObjectName(QStringLiteral("SpeedButton1"));
    m_previous->setAutoDefault(false);
    m_previous->setFixedWidth(32);
    m_next = new QPushButton(QStringLiteral(">"), this);
    m_next->setObjectName(QStringLiteral("SpeedButton2"));
    m_next->setAutoDefault(false);
    m_next->setFixedWidth(32);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Label1"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_title->setFont(bold);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("MonthCalendar1"));
    m_calendar->setLocale(brazil);
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);
    const QDate today = Clock::today();
    m_calendar->setSelectedDate(today);
    m_calendar->setCurrentPage(today.year(), today.month());

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setDefault(true);

    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(m_previous);
    titleRow->addWidget(m_title, 1);
    titleRow->addWidget(m_next);
    auto *okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(m_ok);
    okRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addWidget(m_calendar);
    layout->addLayout(okRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The grid keeps Enter for itself; the operator expects Enter to mean OK.
    if (QWidget *grid = m_calendar->findChild<QWidget *>(QStringLiteral("qt_calendar_calendarview")))
        grid->installEventFilter(this);

    connect(m_calendar, &QCalendarWidget::currentPageChanged, this,
            &TFormCalender::MonthCalendar1PageChanged);
    connect(m_previous, &QPushButton::clicked, this, &TFormCalender::SpeedButton1Click);
    connect(m_next, &QPushButton::clicked, this, &TFormCalender::SpeedButton2Click);
    connect(m_ok, &QPushButton::clicked, this, &TFormCalender::BitBtn1Click);

    MonthCalendar1PageChanged(m_calendar->yearShown(), m_calendar->monthShown());
    m_calendar->setFocus();
}

QString TFormCalender::titleFor(int year, int month)
{
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    return brazil.standaloneMonthName(month, QLocale::LongFormat) + QStringLiteral(", ")
        + QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

void TFormCalender::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool TFormCalender::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_ok->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormCalender::MonthCalendar1PageChanged(int year, int month)
{
    m_title->setText(titleFor(year, month));
}

void TFormCalender::SpeedButton1Click() { m_calendar->showPreviousMonth(); }

void TFormCalender::SpeedButton2Click() { m_calendar->showNextMonth(); }

void TFormCalender::BitBtn1Click() { accept(); }

void OpenCalendar()
{
    if (CalendarOpen == QLatin1String("S"))
        return;
    CalendarOpen = QStringLiteral("S");
    // Cleared however the window ends, so F3 keeps working afterwards.
    struct Clear
    {
        ~Clear() { CalendarOpen.clear(); }
    } clear;
    TFormCalender window;
    Dialogs::execModal(&window);
}
