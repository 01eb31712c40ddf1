#include "app/Login.h"

#include "app/TFormProtecao.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"

bool RunLogin()
{
    // No parent: the main window is not showing yet, so the login centres on the screen.
    TFormProtecao login;
    Dialogs::execModal(&login);
    // Too many failures end the run at once: the main window is never shown,
    // so there is no backup reminder and no exit row for a login that never was.
    if (login.endRequested())
        throw EndProgram{0};
    return true;
}
