#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

class TLOGON;

// One of the data module's shared queries. Its statement stays until the next
// user replaces it. Opening reads the whole result into memory, so no Firebird
// statement handle outlives the call (QIBASE keeps the attachment alive while
// any query exists) and the rows can be walked both ways.
class SharedQuery
{
public:
    // Computes a display field for one row.
    using DisplayField = std::function<QVariant(const SharedQuery &, int row)>;

    SharedQuery(TLOGON *owner, const QString &name, const QString &table = QString(),
                const QString &initialSql = QString());

    const QString &name() const { return m_name; }
    const QString &table() const { return m_table; }
    // The table's listed fields: opening on a statement that lacks one fails.
    const QStringList &fieldList() const { return m_fieldList; }

    QString sql() const { return m_sql; }
    void setSql(const QString &sql) { m_sql = sql; }

    void open();
    void exec();
    void close();
    bool active() const { return m_active; }
    int rowsAffected() const { return m_rowsAffected; }

    void addDisplayField(const QString &name, DisplayField compute);

    // Rows.
    int count() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool eof() const { return m_pos >= m_rows.size(); }
    bool bof() const { return m_pos <= 0; }
    int position() const { return m_pos; }
    void first() { m_pos = 0; }
    void next() { if (m_pos < m_rows.size()) ++m_pos; }
    void prior() { if (m_pos > 0) --m_pos; }
    void last() { m_pos = m_rows.isEmpty() ? 0 : int(m_rows.size()) - 1; }
    void seek(int row) { m_pos = qBound(0, row, int(m_rows.size())); }
    // Moves to the first row whose field equals value (texts compared as typed); false if none.
    bool locate(const QString &field, const QVariant &value);

    QStringList fieldNames() const { return m_names; }
    bool hasField(const QString &field) const;
    QVariant value(const QString &field) const { return valueAt(m_pos, field); }
    QVariant valueAt(int row, const QString &field) const;
    // The column of a field in the result, -1 when the result has none
    // (display fields are no columns). Loops over many rows resolve their
    // fields once and read cells by column.
    int columnOf(const QString &field) const { return indexOf(field); }
    QVariant cell(int row, int column) const;
    bool isNull(const QString &field) const { return value(field).isNull(); }
    QString text(const QString &field) const;    // null gives ""
    double number(const QString &field) const;   // null gives 0
    int integer(const QString &field) const;     // null gives 0

private:
    int indexOf(const QString &field) const;

    TLOGON *m_owner;
    QString m_name;
    QString m_table;
    QStringList m_fieldList;
    QString m_sql;
    bool m_active = false;
    int m_rowsAffected = 0;

    QStringList m_names;
    QHash<QString, int> m_index;
    QVector<QVector<QVariant>> m_rows;
    int m_pos = 0;
    QHash<QString, DisplayField> m_display;
    mutable QHash<QString, QHash<int, QVariant>> m_displayCache;
};
