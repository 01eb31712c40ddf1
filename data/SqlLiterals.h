#pragma once

#include <QString>

// Values enter statements only through these three: doubling the apostrophe is
// Firebird's own escape, so no typed text can break a statement.
QString QuoteSql(const QString &text);
// Three decimals and "." whatever the locale: 12.5 gives 12.500.
QString SqlNumber(double value);
// dd/mm/yy (or dd/mm/yyyy) to the quoted 'MM/DD/YYYY' literal; ConvertError if not a date.
QString SqlDate(const QString &text);
