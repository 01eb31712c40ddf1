#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <QVector>

class SharedQuery;
class TLOGON;

// A register window's local copy of its table: loaded from a shared query,
// edited in memory, and written back only when the operator confirms.
class WorkingCopy : public QObject
{
    Q_OBJECT
public:
    // keyField: the column that addresses a row in updates ("ID"); empty for
    // the one-row Empresa, whose updates carry no WHERE clause.
    explicit WorkingCopy(const QString &table, const QString &keyField = QStringLiteral("ID"),
                         QObject *parent = nullptr);

    const QString &table() const { return m_table; }

    // Takes the rows the query holds now; the position goes to the first row.
    void load(const SharedQuery &query);
    // Takes the rows again (after another machine or this window wrote the
    // table) without losing the operator's unapplied edits: they are carried
    // over to the rows with the same key. The position stays on the row with
    // the current key when it is still there, else on the same place.
    void reload(const SharedQuery &query);
    void clear();

    int count() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int row() const { return m_row; }
    void setRow(int row);
    void first() { setRow(0); }
    void last() { setRow(count() - 1); }
    void next() { if (m_row < count() - 1) setRow(m_row + 1); }
    void prior() { if (m_row > 0) setRow(m_row - 1); }
    bool locate(const QString &field, const QVariant &value);

    const QStringList &fieldNames() const { return m_names; }
    bool hasField(const QString &field) const;
    QVariant value(const QString &field) const { return valueAt(m_row, field); }
    QVariant valueAt(int row, const QString &field) const;
    QString text(const QString &field) const;
    double number(const QString &field) const;

    // Edits the current row in memory.
    void setValue(const QString &field, const QVariant &value);
    bool isModified() const { return !m_dirty.isEmpty(); }

    // The statements that write the edited columns of every edited row.
    QStringList pendingStatements() const;
    // Runs them (each commits at once) and forgets the edits; a failure
    // throws and keeps the edits that were not written.
    void applyUpdates(TLOGON &logon);
    void cancelUpdates();
    // Drops the unapplied edits of the current row only.
    void revertRow();

signals:
    void rowChanged(int row);
    void reset();
    void valueChanged(int row, const QString &field);

private:
    int indexOf(const QString &field) const;
    static QString literal(const QVariant &value);

    QString m_table;
    QString m_keyField;
    QStringList m_names;
    QVector<QVector<QVariant>> m_rows;
    QVector<QVector<QVariant>> m_original;
    QHash<int, QSet<int>> m_dirty; // row → edited columns
    int m_row = 0;
};
