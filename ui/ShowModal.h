#pragma once

#include "ui/Dialogs.h"

#include <QDialog>

// ShowModalForm: create the window, show it modally, free it when it closes.
template <typename Window, typename... Args>
int ShowModalForm(QWidget *parent, Args &&...args)
{
    Window window(parent, std::forward<Args>(args)...);
    return Dialogs::execModal(&window);
}
