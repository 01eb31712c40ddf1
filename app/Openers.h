#pragma once

#include <QHash>
#include <QString>
#include <functional>

class QWidget;

// The windows the main window opens, by the ids of its menu table.
using Opener = std::function<void(QWidget *parent)>;
const QHash<QString, Opener> &openers();
