#include "ui/Edits.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace Edits {
void upperCase(QLineEdit *edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(pos);
        }
    });
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
