#include "data/SharedQuery.h"

#include "data/Schema.h"
#include "data/TLOGON.h"
#include "ui/Errors.h"

SharedQuery::SharedQuery(TLOGON *owner, const QString &name, const QString &table,
                         const QString &initialSql)
    : m_owner(owner), m_name(name), m_table(table), m_sql(initialSql)
{
    if (!table.isEmpty())
        m_fieldList = Schema::columns(table);
}

void SharedQuery::addDisplayField(const QString &name, DisplayField compute)
{
    m_display.insert(name.toUpper(), std::move(compute));
}

void SharedQuery::open()
{
    close();
    TLOGON::Result result = m_owner->runStatement(m_sql, true);
    for (const QString &field : m_fieldList) {
        if (!result.names.contains(field, Qt::CaseInsensitive))
            throw DbError(QStringLiteral("%1: Campo %2 não encontrado").arg(m_name, field));
    }
    m_names = result.names;
    for (int i = 0; i < m_names.size(); ++i)
        m_index.insert(m_names.at(i).toUpper(), i);
    m_rows = std::move(result.rows);
    m_pos = 0;
    m_active = true;
}

void SharedQuery::exec()
{
    close();
    TLOGON::Result result = m_owner->runStatement(m_sql, false);
    m_rowsAffected = result.rowsAffected;
}

void SharedQuery::close()
{
    m_active = false;
    m_names.clear();
    m_index.clear();
    m_rows.clear();
    m_pos = 0;
    m_displayCache.clear();
}

bool SharedQuery::hasField(const QString &field) const
{
    const QString key = field.toUpper();
    return m_index.contains(key) || m_display.contains(key);
}

int SharedQuery::indexOf(const QString &field) const
{
    const auto it = m_index.constFind(field.toUpper());
    return it == m_index.constEnd() ? -1 : *it;
}

QVariant SharedQuery::valueAt(int row, const QString &field) const
{
    const int col = indexOf(field);
    if (col < 0) {
        const QString key = field.toUpper();
        const auto display = m_display.constFind(key);
        if (display == m_display.constEnd() || !m_active)
            throw DbError(QStringLiteral("%1: Campo %2 não encontrado").arg(m_name, field));
        if (row < 0 || row >= m_rows.size())
            return QVariant();
        auto &cache = m_displayCache[key];
        const auto hit = cache.constFind(row);
        if (hit != cache.constEnd())
            return *hit;
        const QVariant v = (*display)(*this, row);
        cache.insert(row, v);
        return v;
    }
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    return m_rows.at(row).at(col);
}

QVariant SharedQuery::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_names.size())
        return QVariant();
    return m_rows.at(row).at(column);
}

QString SharedQuery::text(const QString &field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

double SharedQuery::number(const QString &field) const
{
    const QVariant v = value(field);
    return v.isNull() ? 0.0 : v.toDouble();
}

int SharedQuery::integer(const QString &field) const
{
    const QVariant v = value(field);
    return v.isNull() ? 0 : v.toInt();
}

bool SharedQuery::locate(const QString &field, const QVariant &value)
{
    const int col = indexOf(field);
    if (col < 0)
        throw DbError(QStringLiteral("%1: Campo %2 não encontrado").arg(m_name, field));
    for (int i = 0; i < m_rows.size(); ++i) {
        const QVariant &v = m_rows.at(i).at(col);
        if (v.isNull() ? value.isNull() || value.toString().isEmpty()
                       : v.toString() == value.toString()) {
            m_pos = i;
            return true;
        }
    }
    return false;
}
