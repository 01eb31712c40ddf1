#include "reports/WorkTable.h"

#include "data/Parse.h"
#include "ui/Errors.h"

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <vector>

WorkTable::WorkTable(const QList<Field> &fields) : m_fields(fields)
{
    for (int i = 0; i < m_fields.size(); ++i)
        m_byName.insert(m_fields.at(i).name.toUpper(), i);
}

void WorkTable::recreate()
{
    m_rows.clear();
    m_index.clear();
}

int WorkTable::append()
{
    m_rows.append(QVector<QVariant>(m_fields.size()));
    return int(m_rows.size()) - 1;
}

int WorkTable::fieldIndex(const QString &field) const
{
    const auto it = m_byName.constFind(field.toUpper());
    if (it == m_byName.constEnd())
        throw AppError(QStringLiteral("Campo %1 não encontrado").arg(field));
    return *it;
}

void WorkTable::set(int row, const QString &field, const QVariant &value) { set(row, fieldIndex(field), value); }

void WorkTable::set(int row, int col, const QVariant &value)
{
    QVariant &cell = m_rows[row][col];
    cell = QVariant();
    if (value.isNull())
        return;
    const Field &f = m_fields.at(col);
    const auto fail = [&] {
        throw ConvertError(QStringLiteral("'%1' não é um valor válido para %2").arg(value.toString(), f.name));
    };
    switch (f.type) {
    case Type::Text: {
        QString t = value.toString();
        if (f.size > 0 && t.size() > f.size)
            t.truncate(f.size);
        cell = t;
        break;
    }
    case Type::Integer: {
        bool ok = false;
        int v = 0;
        if (value.typeId() == QMetaType::QString) {
            ok = Parse::tryInteger(value.toString(), &v);
        } else {
            const double d = value.toDouble(&ok);
            ok = ok && d >= -2147483648.0 && d <= 2147483647.0;
            v = int(d);
        }
        if (!ok)
            fail();
        cell = v;
        break;
    }
    case Type::Float: {
        bool ok = false;
        double v = 0;
        if (value.typeId() == QMetaType::QString)
            ok = Parse::tryNumber(value.toString(), &v);
        else
            v = value.toDouble(&ok);
        if (!ok)
            fail();
        cell = v;
        break;
    }
    case Type::Date: {
        QDate d;
        if (value.typeId() == QMetaType::QString)
            Parse::tryDate(value.toString(), &d);
        else
            d = value.toDate();
        if (!d.isValid())
            fail();
        cell = d;
        break;
    }
    }
}

QVariant WorkTable::value(int row, const QString &field) const { return value(row, fieldIndex(field)); }
QString WorkTable::text(int row, const QString &field) const { return text(row, fieldIndex(field)); }
double WorkTable::number(int row, const QString &field) const { return number(row, fieldIndex(field)); }
int WorkTable::integer(int row, const QString &field) const { return integer(row, fieldIndex(field)); }

QVariant WorkTable::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    return m_rows.at(row).at(column);
}

QString WorkTable::text(int row, int column) const
{
    const QVariant v = value(row, column);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::Double)
        return QLocale().toString(v.toDouble(), 'g', 15);
    return v.toString();
}

double WorkTable::number(int row, int column) const
{
    const QVariant v = value(row, column);
    return v.isNull() ? 0.0 : v.toDouble();
}

int WorkTable::integer(int row, int column) const
{
    const QVariant v = value(row, column);
    return v.isNull() ? 0 : v.toInt();
}

void WorkTable::setIndexFieldNames(const QString &names)
{
    QList<int> cols;
    for (const QString &name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        cols.append(fieldIndex(name.trimmed()));
    m_index = names;
    if (cols.isEmpty() || m_rows.size() < 2)
        return;

    // Sort keys are made once per row, in one flat table: 20,000 products
    // sort in a blink.
    QCollator collator{QLocale(QLocale::Portuguese, QLocale::Brazil)};
    collator.setCaseSensitivity(Qt::CaseSensitive);
    struct Key
    {
        bool null = true;
        double number = 0;   // numbers and dates
        qsizetype text = -1; // texts: their collation key in textKeys
    };
    const int n = int(m_rows.size());
    const qsizetype width = cols.size();
    std::vector<Key> keys(size_t(n * width));
    std::vector<QCollatorSortKey> textKeys;
    for (int r = 0; r < n; ++r) {
        for (qsizetype i = 0; i < width; ++i) {
            const QVariant &v = m_rows.at(r).at(cols[i]);
            Key &k = keys[size_t(r * width + i)];
            k.null = v.isNull();
            if (k.null)
                continue;
            switch (m_fields.at(cols[i]).type) {
            case Type::Text:
                k.text = qsizetype(textKeys.size());
                textKeys.push_back(collator.sortKey(v.toString()));
                break;
            case Type::Date: k.number = double(v.toDate().toJulianDay()); break;
            default: k.number = v.toDouble(); break;
            }
        }
    }
    QVector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (qsizetype i = 0; i < width; ++i) {
            const Key &ka = keys[size_t(a * width + i)];
            const Key &kb = keys[size_t(b * width + i)];
            int cmp = 0;
            if (ka.null || kb.null)
                cmp = int(kb.null) - int(ka.null);
            else if (ka.text >= 0)
                cmp = textKeys[size_t(ka.text)].compare(textKeys[size_t(kb.text)]);
            else
                cmp = ka.number < kb.number ? -1 : (ka.number > kb.number ? 1 : 0);
            if (cmp != 0)
                return cmp < 0;
        }
        return false;
    });
    QVector<QVector<QVariant>> sorted;
    sorted.reserve(n);
    for (int r : order)
        sorted.append(std::move(m_rows[r]));
    m_rows = std::move(sorted);
}
