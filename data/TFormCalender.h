#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

// The calendar F3 opens from anywhere: it only shows dates, it returns nothing.
class TFormCalender : public QDialog
{
    Q_OBJECT
public:
    explicit TFormCalender(QWidget *parent = nullptr);

    // "março, 2026": the full month name and the year of the page shown.
    static QString titleFor(int year, int month);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MonthCalendar1PageChanged(int year, int month);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void BitBtn1Click();

    QCalendarWidget *m_calendar = nullptr;
    QLabel *m_title = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_ok = nullptr;
};

// Opens the calendar modally unless one is already showing (CalendarOpen).
void OpenCalendar();
