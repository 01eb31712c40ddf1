#pragma once

#include <QString>

class QPushButton;
class QWidget;

// A window's button under its component name. Enter moves along the fields'
// chain, so no button takes Enter as the default by itself.
QPushButton *makeButton(const char *name, const QString &text, QWidget *parent);
