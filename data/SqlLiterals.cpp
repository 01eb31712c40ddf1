#include "data/SqlLiterals.h"

#include "data/Format.h"
#include "data/Parse.h"

QString QuoteSql(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString SqlNumber(double value)
{
    const QString text = Format::FormatFloat(QStringLiteral("0.000"), value);
    return text.left(text.size() - 4) + QLatin1Char('.') + text.right(3);
}

QString SqlDate(const QString &text)
{
    const QDate d = Parse::date(text);
    return QuoteSql(d.toString(QStringLiteral("MM/dd/yyyy")));
}
