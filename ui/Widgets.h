#pragma once

#include <QRect>
#include <QString>
#include <Qt>

class QLabel;
class QPixmap;
class QPushButton;
class QWidget;

// A window's button under its component name. Enter moves along the fields'
// chain, so no button takes Enter as the default by itself.
QPushButton *makeButton(const char *name, const QString &text, QWidget *parent);

// A fixed label (or picture) at its place on a window laid out by pixels.
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &where, bool bold = false,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
QLabel *makePicture(QWidget *parent, const char *name, const QPixmap &picture, const QRect &where);
