#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace Schema {

const char *script();
// The script cut into single statements (comments dropped).
QStringList statements();
// The columns of a table, in their order, as the script creates them (upper case).
QStringList columns(const QString &table);
QStringList tables();

// Creates an empty database file (UTF8) through the Firebird client; the path
// may name a server ("127.0.0.1/3051:/path/file.fdb"). Throws DbError.
void createDatabase(const QString &path, const QString &user = QStringLiteral("SYSDBA"),
                    const QString &password = QStringLiteral("quillform"));
// Runs every statement of the script on an open connection. Throws DbError.
void apply(QSqlDatabase &db);
// createDatabase + apply, with the company's own row filled in when given.
struct Company
{
    QString name, address, city, state;
};
void install(const QString &path, const Company &company = {});

} // namespace Schema
