#pragma once

#include <QDate>
#include <QDateTime>

// "Today" drives balances, the two-digit-year window and the log rows; tests fix it.
namespace Clock {

QDateTime now();
QDate today();
void setFixed(const QDateTime &moment); // an invalid moment returns to the real clock

} // namespace Clock
