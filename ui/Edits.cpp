#include "ui/Edits.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace Edits {
namespace {
// Capitals as the text is typed, in one change: listeners of textChanged see
// each keystroke once, already in upper case.
class UpperValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};
} // namespace

void upperCase(QLineEdit *edit)
{
    edit->setValidator(new UpperValidator(edit));
}

void decimalComma(QLineEdit *edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        if (text.contains(QLatin1Char('.'))) {
            const int pos = edit->cursorPosition();
            QString fixed = text;
            fixed.replace(QLatin1Char('.'), QLatin1Char(','));
            edit->setText(fixed);
            edit->setCursorPosition(pos);
        }
    });
}

void limit(QLineEdit *edit, int columnLength)
{
    edit->setMaxLength(columnLength);
}

} // namespace Edits
