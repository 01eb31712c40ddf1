#pragma once

#include "ui/Application.h"

#include <QString>

class QApplication;

// The program's entry: one copy per machine, the style, the main window.
int runProgram(int argc, char **argv);


// Holds the machine-wide lock that stands for one running copy; false when
// another copy holds it. The lock dies with the process, crash or not.
bool acquireSingleInstance(const QString &lockFile);
QString singleInstanceLockFile();
// The start's first step: false when another copy runs (the operator is told so).
bool claimSingleCopy(QApplication &app, const QString &lockFile);
