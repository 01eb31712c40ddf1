#include "data/Globals.h"

QString CurrentUserName;
int CurrentUserRights = 0;
QString CurrentCompanyName;
int OverrideRights = 0;
QString OverrideIsMaster;
int LoginFailures = 0;
QString ServerAddress;
QString CalendarOpen;
QString SelectedCode;
QDate InitialStockDate;

void resetGlobals()
{
    CurrentUserName.clear();
    CurrentUserRights = 0;
    CurrentCompanyName.clear();
    OverrideRights = 0;
    OverrideIsMaster.clear();
    LoginFailures = 0;
    ServerAddress.clear();
    CalendarOpen.clear();
    SelectedCode.clear();
    InitialStockDate = QDate();
}
