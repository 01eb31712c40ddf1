#pragma once

#include <QString>

class TLOGON;

// The stock ledger (EstFic): a product's balance is never stored, it is
// sum(entrada) - sum(saida) over the product's rows. These are the statements
// every movement window uses to read it.
namespace Ledger {

// Every row, any date: what the movement window shows.
QString balanceSql(const QString &code);
// Rows dated from 1 January 2001 to today: what the negative-stock check uses,
// so a movement typed ahead (dated tomorrow) cannot cover today's exits.
QString datedBalanceSql(const QString &code);
// The dated balance of one lot.
QString lotBalanceSql(const QString &code, const QString &lot);

// Each runs its statement on the shared work query; null sums count as 0.
double displayedBalance(TLOGON &logon, const QString &code);
double datedBalance(TLOGON &logon, const QString &code);
double lotBalance(TLOGON &logon, const QString &code, const QString &lot);

// Rows recorded without a lot (null or empty) get lot "0".
void normalizeLots(TLOGON &logon);

} // namespace Ledger
