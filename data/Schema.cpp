#include "data/Schema.h"

#include "data/SqlLiterals.h"
#include "ui/Errors.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <ibase.h>

namespace Schema {

QStringList statements()
{
    QStringList out;
    QString current;
    const QStringList lines = QString::fromUtf8(script()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.startsWith(QStringLiteral("--")) || t.isEmpty())
            continue;
        current += line + QLatin1Char('\n');
        if (t.endsWith(QLatin1Char(';'))) {
            current = current.trimmed();
            current.chop(1);
            out << current;
            current.clear();
        }
    }
    return out;
}

namespace {
const QHash<QString, QStringList> &tableColumns()
{
    static const QHash<QString, QStringList> columns = [] {
        QHash<QString, QStringList> map;
        static const QRegularExpression head(QStringLiteral("^CREATE TABLE (\\w+) \\("));
        static const QRegularExpression column(QStringLiteral("^\\s*(\\w+)\\s"));
        for (const QString &st : statements()) {
            const auto m = head.match(st);
            if (!m.hasMatch())
                continue;
            QStringList cols;
            const QStringList lines = st.split(QLatin1Char('\n'));
            for (int i = 1; i < lines.size(); ++i) {
                const auto c = column.match(lines.at(i));
                if (c.hasMatch())
                    cols << c.captured(1).toUpper();
            }
            map.insert(m.captured(1).toUpper(), cols);
        }
        return map;
    }();
    return columns;
}
} // namespace

QStringList columns(const QString &table) { return tableColumns().value(table.toUpper()); }

QStringList tables()
{
    QStringList out;
    for (const QString &st : statements()) {
        static const QRegularExpression head(QStringLiteral("^CREATE TABLE (\\w+) \\("));
        const auto m = head.match(st);
        if (m.hasMatch())
            out << m.captured(1);
    }
    return out;
}

void createDatabase(const QString &path, const QString &user, const QString &password)
{
    const QByteArray sql = QStringLiteral("CREATE DATABASE %1 USER %2 PASSWORD %3 "
                                          "PAGE_SIZE 16384 DEFAULT CHARACTER SET UTF8")
                               .arg(QuoteSql(path), QuoteSql(user), QuoteSql(password))
                               .toUtf8();
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    if (isc_dsql_execute_immediate(status, &db, &tr, 0, sql.constData(), SQL_DIALECT_V6, nullptr)) {
        char buffer[512];
        QString message;
        const ISC_STATUS *vector = status;
        while (fb_interpret(buffer, sizeof buffer, &vector)) {
            if (!message.isEmpty())
                message += QLatin1Char(' ');
            message += QString::fromLocal8Bit(buffer);
        }
        throw DbError(message);
    }
    isc_detach_database(status, &db);
}

void apply(QSqlDatabase &db)
{
    for (const QString &st : statements()) {
        QSqlQuery q(db);
        if (!q.exec(st))
            throw DbError(q.lastError().databaseText() + QStringLiteral("\n") + st);
    }
}

void install(const QString &path, const Company &company)
{
    createDatabase(path);
    const QString name = QStringLiteral("tamblo-install-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), name);
        db.setDatabaseName(path);
        db.setUserName(QStringLiteral("SYSDBA"));
        db.setPassword(QStringLiteral("quillform"));
        db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
        if (!db.open())
            throw DbError(db.lastError().databaseText());
        try {
            apply(db);
            QSqlQuery q(db);
            const QString update = QStringLiteral("update empresa set EMPRESA = %1, ENDERECO = %2, "
                                                  "CIDADE = %3, ESTADO = %4")
                                       .arg(QuoteSql(company.name.toUpper().left(40)),
                                            QuoteSql(company.address.toUpper().left(40)),
                                            QuoteSql(company.city.toUpper().left(20)),
                                            QuoteSql(company.state.toUpper().left(2)));
            if (!q.exec(update))
                throw DbError(q.lastError().databaseText());
        } catch (...) {
            db.close();
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace Schema
