#include "data/Upgrade.h"

#include "data/SqlLiterals.h"
#include "data/TLOGON.h"

void RunStartupUpgrade(TLOGON &logon)
{
    logon.RunOnQuery(QStringLiteral("atualiza"), QStringLiteral("delete from produtos where codigo = '' "),
                     QStringLiteral("exec"));
    logon.RunOnQuery(QStringLiteral("atualiza"), QStringLiteral("delete from produtos where codigo is null "),
                     QStringLiteral("exec"));

    struct Column
    {
        const char *table, *column, *type;
    };
    // Older databases get the narrower types these columns first had.
    static const Column columns[] = {
        {"KESTRUM", "CODVEND", "INTEGER"},
        {"PRODUTOS", "NCM", "VARCHAR(8)"},
        {"PRODUTOS", "EXTENDIDA", "VARCHAR(60)"},
    };
    for (const Column &c : columns) {
        const QString table = QString::fromLatin1(c.table);
        const QString column = QString::fromLatin1(c.column);
        SharedQuery &probe = logon.Atualiza;
        probe.close();
        probe.setSql(QStringLiteral("select * from rdb$relation_fields  where RDB$RELATION_FIELDS.rdb$relation_name = ")
                     + QuoteSql(table) + QStringLiteral(" AND  RDB$RELATION_FIELDS.RDB$FIELD_NAME = ")
                     + QuoteSql(column));
        probe.open();
        if (probe.isEmpty()) {
            SharedQuery &alter = logon.Atualiza2;
            alter.close();
            alter.setSql(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD ") + column
                         + QLatin1Char(' ') + QString::fromLatin1(c.type));
            alter.exec();
        }
    }
    logon.Atualiza.close();
}
