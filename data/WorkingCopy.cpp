#include "data/WorkingCopy.h"

#include "data/SharedQuery.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "ui/Errors.h"

#include <QDate>
#include <QMetaType>
#include <algorithm>

namespace {
// A database null comes back typed (a null text, a null number): any two
// nulls are the same value, whatever their types.
bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}
} // namespace

WorkingCopy::WorkingCopy(const QString &table, const QString &keyField, QObject *parent)
    : QObject(parent), m_table(table), m_keyField(keyField)
{
}

void WorkingCopy::load(const SharedQuery &query)
{
    m_names = query.fieldNames();
    m_rows.clear();
    for (int r = 0; r < query.count(); ++r) {
        QVector<QVariant> row(m_names.size());
        for (int c = 0; c < m_names.size(); ++c)
            row[c] = query.valueAt(r, m_names.at(c));
        m_rows.append(std::move(row));
    }
    m_original = m_rows;
    m_dirty.clear();
    m_row = 0;
    emit reset();
    emit rowChanged(m_row);
}

void WorkingCopy::reload(const SharedQuery &query)
{
    const int key = m_keyField.isEmpty() ? -1 : indexOf(m_keyField);
    if (key < 0) {
        load(query);
        return;
    }
    // Edits by key and column name: the reloaded rows may come in another order.
    QHash<QString, QHash<QString, QVariant>> edits;
    for (auto it = m_dirty.constBegin(); it != m_dirty.constEnd(); ++it) {
        const QString id = m_original.at(it.key()).at(key).toString();
        for (int c : it.value())
            edits[id].insert(m_names.at(c).toUpper(), m_rows.at(it.key()).at(c));
    }
    const int oldRow = m_row;
    const QString currentId = m_rows.isEmpty() ? QString() : m_rows.at(m_row).at(key).toString();

    m_names = query.fieldNames();
    m_rows.clear();
    for (int r = 0; r < query.count(); ++r) {
        QVector<QVariant> row(m_names.size());
        for (int c = 0; c < m_names.size(); ++c)
            row[c] = query.valueAt(r, m_names.at(c));
        m_rows.append(std::move(row));
    }
    m_original = m_rows;
    m_dirty.clear();
    const int newKey = indexOf(m_keyField);
    int position = qBound(0, oldRow, qMax(0, int(m_rows.size()) - 1));
    for (int r = 0; newKey >= 0 && r < m_rows.size(); ++r) {
        const QString id = m_rows.at(r).at(newKey).toString();
        if (!currentId.isEmpty() && id == currentId)
            position = r;
        const auto edit = edits.constFind(id);
        if (edit == edits.constEnd())
            continue;
        for (auto f = edit->constBegin(); f != edit->constEnd(); ++f) {
            const int c = indexOf(f.key());
            if (c < 0)
                continue;
            m_rows[r][c] = f.value();
            if (!sameValue(m_original.at(r).at(c), f.value()))
                m_dirty[r].insert(c);
        }
    }
    m_row = position;
    emit reset();
    emit rowChanged(m_row);
}

void WorkingCopy::clear()
{
    m_rows.clear();
    m_original.clear();
    m_dirty.clear();
    m_row = 0;
    emit reset();
    emit rowChanged(m_row);
}

void WorkingCopy::setRow(int row)
{
    const int bounded = m_rows.isEmpty() ? 0 : std::clamp(row, 0, int(m_rows.size()) - 1);
    if (bounded == m_row)
        return;
    m_row = bounded;
    emit rowChanged(m_row);
}

bool WorkingCopy::locate(const QString &field, const QVariant &value)
{
    const int col = indexOf(field);
    if (col < 0)
        return false;
    for (int r = 0; r < m_rows.size(); ++r) {
        const QVariant &v = m_rows.at(r).at(col);
        if (!v.isNull() && v.toString() == value.toString()) {
            m_row = -1; // always announce the move
            setRow(r);
            return true;
        }
    }
    return false;
}

int WorkingCopy::indexOf(const QString &field) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool WorkingCopy::hasField(const QString &field) const { return indexOf(field) >= 0; }

QVariant WorkingCopy::valueAt(int row, const QString &field) const
{
    const int col = indexOf(field);
    if (col < 0)
        throw DbError(QStringLiteral("%1: Campo %2 não encontrado").arg(m_table, field));
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    return m_rows.at(row).at(col);
}

QString WorkingCopy::text(const QString &field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

double WorkingCopy::number(const QString &field) const
{
    const QVariant v = value(field);
    return v.isNull() ? 0.0 : v.toDouble();
}

void WorkingCopy::setValue(const QString &field, const QVariant &value)
{
    const int col = indexOf(field);
    if (col < 0)
        throw DbError(QStringLiteral("%1: Campo %2 não encontrado").arg(m_table, field));
    if (m_row < 0 || m_row >= m_rows.size())
        return;
    QVariant &cell = m_rows[m_row][col];
    if (sameValue(cell, value))
        return;
    cell = value;
    if (sameValue(m_original.at(m_row).at(col), value))
        m_dirty[m_row].remove(col);
    else
        m_dirty[m_row].insert(col);
    if (m_dirty[m_row].isEmpty())
        m_dirty.remove(m_row);
    emit valueChanged(m_row, field);
}

QString WorkingCopy::literal(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QuoteSql(SqlNumber(value.toDouble()));
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QuoteSql(QString::number(value.toLongLong()));
    case QMetaType::QDate:
        return QuoteSql(value.toDate().toString(QStringLiteral("MM/dd/yyyy")));
    default:
        return QuoteSql(value.toString());
    }
}

QStringList WorkingCopy::pendingStatements() const
{
    QStringList out;
    QList<int> rows = m_dirty.keys();
    std::sort(rows.begin(), rows.end());
    const int key = m_keyField.isEmpty() ? -1 : indexOf(m_keyField);
    for (int r : rows) {
        QList<int> cols = m_dirty.value(r).values();
        std::sort(cols.begin(), cols.end());
        QStringList sets;
        for (int c : cols)
            sets << m_names.at(c) + QStringLiteral(" = ") + literal(m_rows.at(r).at(c));
        QString sql = QStringLiteral("update ") + m_table + QStringLiteral(" set ") + sets.join(QStringLiteral(", "));
        if (key >= 0)
            sql += QStringLiteral(" where ") + m_names.at(key) + QStringLiteral(" = ")
                 + literal(m_original.at(r).at(key));
        out << sql;
    }
    return out;
}

void WorkingCopy::applyUpdates(TLOGON &logon)
{
    QList<int> rows = m_dirty.keys();
    std::sort(rows.begin(), rows.end());
    const QStringList statements = pendingStatements();
    for (int i = 0; i < rows.size(); ++i) {
        logon.runStatement(statements.at(i), false);
        m_original[rows.at(i)] = m_rows.at(rows.at(i));
        m_dirty.remove(rows.at(i));
    }
}

void WorkingCopy::revertRow()
{
    if (m_row < 0 || m_row >= m_rows.size() || !m_dirty.contains(m_row))
        return;
    m_rows[m_row] = m_original.at(m_row);
    m_dirty.remove(m_row);
    emit valueChanged(m_row, QString());
    emit rowChanged(m_row);
}

void WorkingCopy::cancelUpdates()
{
    m_rows = m_original;
    m_dirty.clear();
    emit reset();
    emit rowChanged(m_row);
}
