#include "app/Access.h"

#include "app/TFormAcessos.h"
#include "data/Globals.h"
#include "data/Routines.h"
#include "ui/Dialogs.h"
#include "ui/ShowModal.h"
#include "ui/Texts.h"

#include <QApplication>

namespace {

bool holds(int mask, int bit) { return HasRight(mask, bit) == QLatin1String("S"); }

// The supervisor window leaves its verdict in OverrideRights and OverrideIsMaster.
void askSupervisor() { ShowModalForm<TFormAcessos>(QApplication::activeWindow()); }

bool refuse()
{
    Dialogs::message(Texts::AccessDenied);
    return false;
}

} // namespace

bool checkAccess(Guard guard, int bit)
{
    switch (guard) {
    case Guard::None:
        return true;
    case Guard::Right:
        if (holds(CurrentUserRights, bit))
            return true;
        // A grant lasts for one opening: whatever a supervisor lent before is gone.
        OverrideRights = 0;
        askSupervisor();
        return holds(OverrideRights, bit) || refuse();
    case Guard::MasterZero:
        OverrideRights = 0;
        [[fallthrough]];
    case Guard::Master:
        // The logged-in user's own flag is not enough: a master confirms every time.
        OverrideIsMaster = QStringLiteral("N");
        askSupervisor();
        return OverrideIsMaster == QLatin1String("S") || refuse();
    case Guard::Supervisor:
        // Asked every time, whatever the logged-in user holds.
        OverrideRights = 0;
        askSupervisor();
        return holds(OverrideRights, bit) || refuse();
    }
    return refuse();
}
