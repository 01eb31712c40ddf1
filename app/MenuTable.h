#pragma once

#include <QString>
#include <QVector>

// How an entry of the main window is guarded.
enum class Guard {
    None,        // opens at once
    Right,       // a bit of the user's rights, or a supervisor holding it
    Master,      // a master user confirms every time
    MasterZero,  // the same, with the supervisor's rights zeroed first
    Supervisor,  // a supervisor holding the bit confirms every time
};

struct MenuEntry
{
    QString id;       // the window it opens (see openers) or an action of the main window
    QString caption;
    Guard guard = Guard::None;
    int bit = 0;
    bool separatorBefore = false;
    bool separatorAfter = false;
};

struct MenuGroup
{
    QString caption;
    QVector<MenuEntry> entries;
};

const QVector<MenuGroup> &mainMenu();
const QVector<MenuEntry> &toolbarButtons();
