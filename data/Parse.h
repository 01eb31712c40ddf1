#pragma once

#include <QDate>
#include <QString>

// Reading what the operator typed. Each raises ConvertError with the text
// that failed, which the standard error box shows.
namespace Parse {

// "dd/mm/yy" or "dd/mm/yyyy"; a two-digit year falls in the hundred years
// from 50 before to 49 after the current year.
QDate date(const QString &text);
// Decimal comma, surrounding blanks allowed, no thousands separator.
double number(const QString &text);
// A 32-bit whole number, surrounding blanks allowed.
int integer(const QString &text);

bool tryDate(const QString &text, QDate *out = nullptr);
bool tryNumber(const QString &text, double *out = nullptr);
bool tryInteger(const QString &text, int *out = nullptr);

} // namespace Parse
