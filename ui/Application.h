#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <functional>

// Errors that escape a handler become the standard error box; the window stays open.
class Application : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;

    // Sees every key press of the program once, in whichever window, before
    // it reaches the focused field (which still gets it).
    using KeyHook = std::function<void(QKeyEvent *)>;
    static void setKeyHook(KeyHook hook);
};

// Brazilian conventions and Qt's own Portuguese texts, whatever the machine says.
void setupLocale(QApplication &app);
