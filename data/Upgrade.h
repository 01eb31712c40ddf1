#pragma once

class TLOGON;

// Run at every start, before the login: removes products without a code and
// adds the columns that older databases lack. Nothing is caught.
void RunStartupUpgrade(TLOGON &logon);
