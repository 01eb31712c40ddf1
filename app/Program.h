#pragma once

#include <QString>

class QApplication;

// The program's entry: one copy per machine, the style, the main window.
int runProgram(int argc, char **argv);

// Brazilian conventions and Qt's own Portuguese texts, whatever the machine says.
void setupLocale(QApplication &app);

// Holds the machine-wide lock that stands for one running copy; false when
// another copy holds it. The lock dies with the process, crash or not.
bool acquireSingleInstance(const QString &lockFile);
QString singleInstanceLockFile();
