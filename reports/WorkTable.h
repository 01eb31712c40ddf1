#pragma once

#include "reports/ReportEngine.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// The in-memory table a selection window fills and its layout prints: typed
// fields, rows appended one by one, then ordered by naming fields
// ("classe;nome"). Nothing of it is stored.
class WorkTable : public ReportSource
{
public:
    enum class Type { Text, Integer, Float, Date };
    struct Field
    {
        QString name;
        Type type = Type::Text;
        int size = 0; // texts: longer values are cut, as the field holds no more
    };

    explicit WorkTable(const QList<Field> &fields);

    const QList<Field> &fields() const { return m_fields; }
    // Closes, empties and reopens the table: every print starts from nothing.
    void recreate();

    // A new row, all fields empty; returns its index.
    int append();
    // Stores a value converted to the field's type. A value that does not
    // convert leaves the field empty and raises ConvertError, which callers
    // that copy column by column catch and ignore.
    void set(int row, const QString &field, const QVariant &value);

    int rowCount() const override { return int(m_rows.size()); }
    QVariant value(int row, const QString &field) const override;
    QString text(int row, const QString &field) const;   // empty gives ""
    double number(int row, const QString &field) const;  // empty gives 0
    int integer(int row, const QString &field) const;    // empty gives 0

    // The same by column (fieldIndex), for loops over every row that look
    // their fields up once.
    void set(int row, int column, const QVariant &value);
    QVariant value(int row, int column) const;
    QString text(int row, int column) const;
    double number(int row, int column) const;
    int integer(int row, int column) const;

    // Orders the rows by the named fields, ascending (IndexFieldNames).
    // Empty values come first; texts follow the Portuguese alphabet.
    void setIndexFieldNames(const QString &names);
    QString indexFieldNames() const { return m_index; }

    int fieldIndex(const QString &field) const; // AppError for a field the table lacks

private:
    QList<Field> m_fields;
    QHash<QString, int> m_byName;
    QVector<QVector<QVariant>> m_rows;
    QString m_index;
};
