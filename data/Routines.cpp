#include "data/Routines.h"

#include "data/Parse.h"
#include "ui/Errors.h"

#include <QPainter>
#include <array>

QString IsDateText(const QString &text)
{
    return Parse::tryDate(text) ? QStringLiteral("S") : QStringLiteral("N");
}

QString IsNumber(const QString &text)
{
    return Parse::tryNumber(text) ? QStringLiteral("S") : QStringLiteral("N");
}

QString RemoveAccents(const QString &text)
{
    // Ç and ç stand twice in the first table; the first place wins.
    static const QString from = QStringLiteral(
        "àáâãäåçèéêëìíîïñòóôõöùüúÿÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÜÚÇç");
    static const QString to = QStringLiteral(
        "aaaaaaceeeeiiiinooooouuuyAAAAAACEEEEIIIINOOOOOUUUCc");
    QString out = text;
    for (QChar &c : out) {
        if (c == QLatin1Char('\'')) {
            c = QLatin1Char('.');
            continue;
        }
        const qsizetype at = from.indexOf(c);
        if (at >= 0)
            c = to.at(at);
    }
    return out;
}

QString HasRight(int mask, int bit)
{
    // A plain bit test. Only the eight rights bits count; a negative mask grants
    // nothing, and neither does a mask beyond 255 for bits it does not hold
    // (peeling 128, 64, ... off such a mask would grant bits that are not set).
    const bool known = bit >= 1 && bit <= 128 && (bit & (bit - 1)) == 0;
    return known && mask >= 0 && (mask & bit) != 0 ? QStringLiteral("S") : QStringLiteral("N");
}

namespace {

// The standard EAN-13 sets, seven modules per digit.
constexpr std::array<const char *, 10> SetA = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                               "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr std::array<const char *, 10> SetB = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                               "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr std::array<const char *, 10> SetC = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                               "1001110", "1010000", "1000100", "1001000", "1110100"};
// Parity of the six left digits, chosen by the first digit.
constexpr std::array<const char *, 10> Parity = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                                 "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

QString Ean13Modules(const QString &code)
{
    if (code.size() < 13)
        throw ConvertError(QStringLiteral("'%1' não é um código EAN-13 válido").arg(code));
    for (int i = 1; i < 13; ++i)
        if (!isAsciiDigit(code.at(i)))
            throw ConvertError(QStringLiteral("'%1' não é um código EAN-13 válido").arg(code));

    // A first character that is not a digit counts as 0.
    const int first = isAsciiDigit(code.at(0)) ? code.at(0).unicode() - '0' : 0;
    const QString pattern = QLatin1String(Parity[first]) + QStringLiteral("CCCCCC");

    QString modules = QStringLiteral("101");
    for (int i = 1; i <= 12; ++i) {
        const int digit = code.at(i).unicode() - '0';
        const QChar set = pattern.at(i - 1);
        const auto &table = set == QLatin1Char('A') ? SetA : set == QLatin1Char('B') ? SetB : SetC;
        modules += QLatin1String(table[digit]);
        if (i == 6)
            modules += QStringLiteral("01010");
    }
    modules += QStringLiteral("101");
    return modules;
}

void DrawEan13(const QString &code, QPainter &painter)
{
    const QString modules = Ean13Modules(code);
    painter.save();
    painter.fillRect(10, 0, int(modules.size()), 85, Qt::white);
    for (int k = 0; k < modules.size(); ++k) {
        if (modules.at(k) == QLatin1Char('1'))
            painter.fillRect(10 + k, 0, 1, 85, Qt::black);
    }
    painter.restore();
}

QString NormalizeProductCode(const QString &text)
{
    const QString code = text.trimmed();
    int value = 0;
    if (!Parse::tryInteger(code, &value))
        return code;
    const qint64 magnitude = value < 0 ? -qint64(value) : qint64(value);
    const QString digits = QStringLiteral("%1").arg(magnitude, 6, 10, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}
