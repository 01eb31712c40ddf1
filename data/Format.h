#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Brazilian conventions whatever the machine says: decimal comma, "." between
// thousands, dates dd/mm/yy, times hh:mm:ss.
namespace Format {

inline constexpr QChar DecimalSeparator = QLatin1Char(',');
inline constexpr QChar ThousandSeparator = QLatin1Char('.');

// Picture masks: "0" a required digit, "#" an optional one, "." the decimal
// separator, "," thousands grouping, anything else (or "quoted") literal text;
// up to three sections positive;negative;zero. Rounds half away from zero.
QString FormatFloat(const QString &mask, double value);

QString shortDate(const QDate &date);   // dd/mm/yy
QString longTime(const QTime &time);    // hh:mm:ss

} // namespace Format

// Left-pads the formatted number with spaces up to width (at most 19 spaces).
QString PadNumber(const QString &pattern, int width, double value);
