#include "data/Format.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace Format {
namespace {

struct Section
{
    QString prefix, suffix;
    int intMin = 0;
    int decMin = 0;
    int decMax = 0;
    bool grouping = false;
    bool hasDigits = false;
};

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.')
        || c == QLatin1Char(',');
}

// Splits at ";" outside quotes.
QStringList sections(const QString &mask)
{
    QStringList out;
    QString current;
    QChar quote;
    for (QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            current += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            current += c;
        } else if (c == QLatin1Char(';')) {
            out << current;
            current.clear();
        } else {
            current += c;
        }
    }
    out << current;
    return out;
}

Section parse(const QString &text)
{
    Section s;
    bool afterPoint = false;
    bool seenDigit = false;
    QString literal;
    QChar quote;
    for (QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                literal += c;
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            continue;
        }
        if (isPlaceholder(c)) {
            if (!seenDigit) {
                s.prefix = literal;
                seenDigit = true;
            }
            literal.clear();
            if (c == QLatin1Char('.')) {
                afterPoint = true;
            } else if (c == QLatin1Char(',')) {
                if (!afterPoint)
                    s.grouping = true;
            } else {
                s.hasDigits = true;
                if (afterPoint) {
                    ++s.decMax;
                    if (c == QLatin1Char('0'))
                        s.decMin = s.decMax;
                } else if (c == QLatin1Char('0')) {
                    ++s.intMin;
                }
            }
            continue;
        }
        literal += c;
    }
    if (seenDigit)
        s.suffix = literal;
    else
        s.prefix = literal;
    return s;
}

// The digits of |value| rounded half away from zero at `decimals` places,
// working on its 15 significant digits as the operator would read them.
void roundedDigits(double value, int decimals, QString &intPart, QString &fracPart)
{
    // Reports format every figure of every row: plain characters keep this cheap.
    char sci[40];
    std::snprintf(sci, sizeof sci, "%.14e", std::fabs(value)); // d.dddddddddddddde±xx
    const int exponent = std::atoi(std::strchr(sci, 'e') + 1);
    int pointAt = exponent + 1; // digits before the decimal point
    std::string digits;
    if (pointAt < 0) {
        digits.assign(size_t(-pointAt), '0');
        pointAt = 0;
    }
    digits += sci[0];
    digits.append(sci + 2, 14); // past the separator, whichever the C locale uses
    const size_t keep = size_t(pointAt + decimals);
    if (digits.size() < keep + 1)
        digits.append(keep + 1 - digits.size(), '0');
    std::string kept = digits.substr(0, keep);
    if (digits[keep] >= '5') {
        int i = int(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[size_t(i)] == '9') {
                kept[size_t(i)] = '0';
            } else {
                ++kept[size_t(i)];
                break;
            }
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            ++pointAt;
        }
    }
    size_t first = 0;
    while (first < size_t(pointAt) && kept[first] == '0')
        ++first;
    intPart = QString::fromLatin1(kept.data() + first, qsizetype(size_t(pointAt) - first));
    fracPart = QString::fromLatin1(kept.data() + pointAt, qsizetype(kept.size() - size_t(pointAt)));
}

QString generalFormat(double value)
{
    QString s = QString::number(value, 'g', 15);
    s.replace(QLatin1Char('.'), DecimalSeparator);
    return s;
}

} // namespace

QString FormatFloat(const QString &mask, double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    const QStringList parts = sections(mask);
    Section s = parse(parts.at(0));
    if (!s.hasDigits && s.prefix.isEmpty() && parts.size() == 1)
        return generalFormat(value);

    QString intPart, fracPart;
    roundedDigits(value, s.decMax, intPart, fracPart);
    bool isZero = intPart.isEmpty() && !fracPart.contains(QRegularExpression(QStringLiteral("[1-9]")));
    bool negative = value < 0 && !isZero;
    bool signInSection = false;

    if (isZero && parts.size() >= 3 && !parts.at(2).isEmpty()) {
        s = parse(parts.at(2));
        roundedDigits(0.0, s.decMax, intPart, fracPart);
    } else if (negative && parts.size() >= 2 && !parts.at(1).isEmpty()) {
        s = parse(parts.at(1));
        roundedDigits(value, s.decMax, intPart, fracPart);
        signInSection = true; // the negative section writes its own sign, if any
    }

    while (fracPart.size() > s.decMin && fracPart.endsWith(QLatin1Char('0')))
        fracPart.chop(1);
    if (intPart.size() < s.intMin)
        intPart = QString(s.intMin - intPart.size(), QLatin1Char('0')) + intPart;
    if (s.grouping) {
        for (int i = intPart.size() - 3; i > 0; i -= 3)
            intPart.insert(i, ThousandSeparator);
    }

    QString out;
    if (negative && !signInSection)
        out += QLatin1Char('-');
    out += s.prefix;
    out += intPart;
    if (!fracPart.isEmpty())
        out += DecimalSeparator + fracPart;
    out += s.suffix;
    return out;
}

QString shortDate(const QDate &date) { return date.toString(QStringLiteral("dd/MM/yy")); }
QString longTime(const QTime &time) { return time.toString(QStringLiteral("hh:mm:ss")); }

} // namespace Format

QString PadNumber(const QString &pattern, int width, double value)
{
    const QString text = Format::FormatFloat(pattern, value);
    const int missing = qMin(width - int(text.size()), 19);
    return missing > 0 ? QString(missing, QLatin1Char(' ')) + text : text;
}
