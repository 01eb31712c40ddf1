#pragma once

#include <QObject>
#include <QString>
#include <QVector>

class QLineEdit;
class WorkingCopy;

// Binds edits to the columns of a working copy: they show the current row and
// write what is typed back into the copy (never straight to the database).
class FieldBinder : public QObject
{
    Q_OBJECT
public:
    explicit FieldBinder(WorkingCopy *copy, QObject *parent = nullptr);

    void bindText(QLineEdit *edit, const QString &field, int columnLength);
    // Shown with the mask; typed with the decimal comma.
    void bindNumber(QLineEdit *edit, const QString &field, const QString &mask);
    void bindDate(QLineEdit *edit, const QString &field);

    // Copy → edits.
    void refresh();
    // Edits → copy; a number or date that does not convert raises ConvertError.
    void post();

private:
    enum class Kind { Text, Number, Date };
    struct Binding
    {
        QLineEdit *edit;
        QString field;
        Kind kind;
        QString mask;
    };
    QString displayText(const Binding &b) const;
    void show(const Binding &b);
    void store(const Binding &b);

    WorkingCopy *m_copy;
    QVector<Binding> m_bindings;
    bool m_refreshing = false;
};
