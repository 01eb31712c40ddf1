#include "ui/Widgets.h"

#include <QLabel>
#include <QPixmap>
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

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &where, bool bold,
                  Qt::Alignment align)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(where);
    label->setAlignment(align);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    return label;
}

QLabel *makePicture(QWidget *parent, const char *name, const QPixmap &picture, const QRect &where)
{
    auto *image = new QLabel(parent);
    image->setObjectName(QString::fromLatin1(name));
    image->setGeometry(where);
    image->setAlignment(Qt::AlignCenter);
    image->setPixmap(picture);
    return image;
}
