#include "ui/Application.h"

#include "ui/Dialogs.h"
#include "ui/Errors.h"

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        Dialogs::errorBox(errorText(e));
    }
    return false;
}
