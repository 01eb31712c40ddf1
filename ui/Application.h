#pragma once

#include <QApplication>

// Errors that escape a handler become the standard error box; the window stays open.
class Application : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};

// Brazilian conventions and Qt's own Portuguese texts, whatever the machine says.
void setupLocale(QApplication &app);
