#include "movements/Ledger.h"

#include "data/Clock.h"
#include "data/Format.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"

namespace Ledger {

namespace {

const QString Sums = QStringLiteral("Select sum(saida) as tsai, sum(entrada) as tent from estfic where codigo = ");

// The period of the dated balances: 1 January 2001 up to today, inclusive.
QString period()
{
    return QStringLiteral(" and ( data between cast(") + SqlDate(QStringLiteral("01/01/01"))
           + QStringLiteral("as date) and cast(") + SqlDate(Format::shortDate(Clock::today()))
           + QStringLiteral(" as date))");
}

double readSums(TLOGON &logon, const QString &sql)
{
    logon.RunOnQuery(QStringLiteral("atualiza"), sql, QStringLiteral("open"));
    const SharedQuery &q = logon.Atualiza;
    return q.number(QStringLiteral("tent")) - q.number(QStringLiteral("tsai"));
}

} // namespace

QString balanceSql(const QString &code) { return Sums + QuoteSql(code); }

QString datedBalanceSql(const QString &code) { return Sums + QuoteSql(code) + period(); }

QString lotBalanceSql(const QString &code, const QString &lot)
{
    return Sums + QuoteSql(code) + QStringLiteral("and  sdata = ") + QuoteSql(lot) + period();
}

double displayedBalance(TLOGON &logon, const QString &code) { return readSums(logon, balanceSql(code)); }

double datedBalance(TLOGON &logon, const QString &code) { return readSums(logon, datedBalanceSql(code)); }

double lotBalance(TLOGON &logon, const QString &code, const QString &lot)
{
    return readSums(logon, lotBalanceSql(code, lot));
}

void normalizeLots(TLOGON &logon)
{
    const QString zero = QuoteSql(QStringLiteral("0"));
    logon.RunOnQuery(QStringLiteral("atualiza"),
                     QStringLiteral("update estfic set sdata = ") + zero + QStringLiteral(" where sdata is null"),
                     QStringLiteral("exec"));
    logon.RunOnQuery(QStringLiteral("atualiza"),
                     QStringLiteral("update estfic set sdata = ") + zero + QStringLiteral(" where sdata = ")
                         + QuoteSql(QString()),
                     QStringLiteral("exec"));
}

} // namespace Ledger
