#include "data/FieldBinder.h"

#include "data/Format.h"
#include "data/Parse.h"
#include "data/WorkingCopy.h"
#include "ui/Edits.h"

#include <QDate>
#include <QLineEdit>

FieldBinder::FieldBinder(WorkingCopy *copy, QObject *parent) : QObject(parent), m_copy(copy)
{
    connect(copy, &WorkingCopy::rowChanged, this, &FieldBinder::refresh);
    connect(copy, &WorkingCopy::reset, this, &FieldBinder::refresh);
    // Two edits may show one column (a second box of the same field): what is
    // typed in one shows in the other, so a later post cannot undo it.
    connect(copy, &WorkingCopy::valueChanged, this, [this](int row, const QString &field) {
        if (m_refreshing || row != m_copy->row())
            return;
        m_refreshing = true;
        for (const Binding &b : std::as_const(m_bindings)) {
            if (b.field.compare(field, Qt::CaseInsensitive) == 0 && b.edit->text() != displayText(b))
                show(b);
        }
        m_refreshing = false;
    });
}

void FieldBinder::bindText(QLineEdit *edit, const QString &field, int columnLength)
{
    Edits::limit(edit, columnLength);
    m_bindings.append({edit, field, Kind::Text, QString()});
    const Binding b = m_bindings.last();
    connect(edit, &QLineEdit::textChanged, this, [this, b] {
        if (!m_refreshing)
            store(b);
    });
    show(b);
}

void FieldBinder::bindNumber(QLineEdit *edit, const QString &field, const QString &mask)
{
    Edits::decimalComma(edit);
    m_bindings.append({edit, field, Kind::Number, mask});
    show(m_bindings.last());
}

void FieldBinder::bindDate(QLineEdit *edit, const QString &field)
{
    m_bindings.append({edit, field, Kind::Date, QString()});
    show(m_bindings.last());
}

QString FieldBinder::displayText(const Binding &b) const
{
    if (!m_copy->hasField(b.field) || m_copy->isEmpty())
        return QString();
    const QVariant v = m_copy->value(b.field);
    if (v.isNull())
        return QString();
    switch (b.kind) {
    case Kind::Text: return v.toString();
    case Kind::Number: return Format::FormatFloat(b.mask, v.toDouble());
    case Kind::Date: return Format::shortDate(v.toDate());
    }
    return QString();
}

void FieldBinder::show(const Binding &b)
{
    b.edit->setText(displayText(b));
}

void FieldBinder::refresh()
{
    m_refreshing = true;
    for (const Binding &b : std::as_const(m_bindings))
        show(b);
    m_refreshing = false;
}

void FieldBinder::store(const Binding &b)
{
    if (m_copy->isEmpty() || !m_copy->hasField(b.field))
        return;
    const QString text = b.edit->text();
    // An untouched field is not an edit: posting it must neither turn a null
    // into '' nor round a cost of 10,1234 to the 10,12 its mask shows.
    if (text == displayText(b))
        return;
    switch (b.kind) {
    case Kind::Text:
        m_copy->setValue(b.field, text);
        break;
    case Kind::Number:
        m_copy->setValue(b.field, text.trimmed().isEmpty() ? QVariant() : QVariant(Parse::number(text)));
        break;
    case Kind::Date:
        m_copy->setValue(b.field, text.trimmed().isEmpty() || text.trimmed() == QLatin1String("/  /")
                                      ? QVariant()
                                      : QVariant(Parse::date(text)));
        break;
    }
}

void FieldBinder::post()
{
    for (const Binding &b : std::as_const(m_bindings))
        store(b);
}
