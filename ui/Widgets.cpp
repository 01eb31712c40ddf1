#include "ui/Widgets.h"

#include <QPushButton>

QPushButton *makeButton(const char *name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(90);
    button->setMinimumHeight(text.contains(QLatin1Char('\n')) ? 40 : 28);
    return button;
}
