#include "data/Parse.h"

#include "data/Clock.h"
#include "ui/Errors.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace Parse {

bool tryDate(const QString &text, QDate *out)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3)
        return false;
    int values[3];
    for (int i = 0; i < 3; ++i) {
        const QString p = parts.at(i).trimmed();
        if (p.isEmpty() || p.size() > 4)
            return false;
        for (QChar c : p)
            if (!c.isDigit() || c.unicode() > '9')
                return false;
        values[i] = p.toInt();
    }
    int year = values[2];
    if (parts.at(2).trimmed().size() <= 2) {
        const int base = Clock::today().year() - 50;
        year = base - base % 100 + year;
        if (year < base)
            year += 100;
    }
    const QDate d(year, values[1], values[0]);
    if (!d.isValid())
        return false;
    if (out)
        *out = d;
    return true;
}

QDate date(const QString &text)
{
    QDate d;
    if (!tryDate(text, &d))
        throw ConvertError(QStringLiteral("'%1' não é uma data válida").arg(text));
    return d;
}

bool tryNumber(const QString &text, double *out)
{
    static const QRegularExpression shape(
        QStringLiteral("^[+-]?(\\d+(,\\d*)?|,\\d+)([eE][+-]?\\d+)?$"));
    const QString t = text.trimmed();
    if (!shape.match(t).hasMatch())
        return false;
    QString c = t;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = c.toDouble(&ok);
    // Every number is written with three decimals on its first fifteen
    // digits, in a text Firebird reads only up to 52 characters long: from
    // 10^15 up a typed number would be stored as another one (or break the
    // statement, 1e308), so it does not read as a number at all.
    if (!ok || !(std::fabs(v) < 1e15))
        return false;
    if (out)
        *out = v;
    return true;
}

double number(const QString &text)
{
    double v = 0;
    if (!tryNumber(text, &v))
        throw ConvertError(QStringLiteral("'%1' não é um valor numérico válido").arg(text));
    return v;
}

bool tryInteger(const QString &text, int *out)
{
    static const QRegularExpression shape(QStringLiteral("^[+-]?\\d+$"));
    const QString t = text.trimmed();
    if (!shape.match(t).hasMatch())
        return false;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok)
        return false;
    if (out)
        *out = v;
    return true;
}

int integer(const QString &text)
{
    int v = 0;
    if (!tryInteger(text, &v))
        throw ConvertError(QStringLiteral("'%1' não é um número inteiro válido").arg(text));
    return v;
}

} // namespace Parse
