#pragma once

#include <QDate>
#include <QString>

// Application-wide state, one instance each for the whole run.
extern QString CurrentUserName;
extern int CurrentUserRights;
extern QString CurrentCompanyName;
extern int OverrideRights;
extern QString OverrideIsMaster;
extern int LoginFailures;
extern QString ServerAddress;
extern QString CalendarOpen;
extern QString SelectedCode;
extern QDate InitialStockDate;

// Back to the state of a program that has just started (tests run many starts).
void resetGlobals();
