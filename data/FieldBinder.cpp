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

void FieldBinder::show(const Binding &b)
{
    if (!m_copy->hasField(b.field) || m_copy->isEmpty()) {
        b.edit->clear();
        return;
    }
    const QVariant v = m_copy->value(b.field);
    QString text;
    if (!v.isNull()) {
        switch (b.kind) {
        case Kind::Text: text = v.toString(); break;
        case Kind::Number: text = Format::FormatFloat(b.mask, v.toDouble()); break;
        case Kind::Date: text = Format::shortDate(v.toDate()); break;
        }
    }
    b.edit->setText(text);
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
