#pragma once

#include "data/SharedQuery.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <vector>

// The data module: the one connection of the program and its shared queries.
class TLOGON
{
public:
    struct Options
    {
        // Where the database is when no server is named; empty means Paths::database().
        QString localDatabase;
        // Read SetupRede.Ini for a server address (the program always does).
        bool readSetup = true;
    };

    // Chooses the database, connects, and offers the local file when a named
    // server cannot be reached. Throws EndProgram when the operator aborts.
    TLOGON();
    explicit TLOGON(const Options &options);
    ~TLOGON();
    TLOGON(const TLOGON &) = delete;
    TLOGON &operator=(const TLOGON &) = delete;

    bool connected() const;
    QString databaseName() const;
    QString connectionError() const { return m_connectError; }
    QSqlDatabase database() const;

    // The shared query for a key (upper case; unknown keys pick Atualiza).
    SharedQuery &query(const QString &key);

    void RunOnQuery(const QString &key, const QString &statement, const QString &mode);
    void CloseSharedQueries();
    int NextId(const QString &generator);
    int NextId(const QString &generator, SharedQuery &on);
    // One LOGS row with today's date and time, the history and the current user.
    // The movement window cuts its texts: pass the limits it uses.
    void AppendLog(const QString &history, int maxDateTime = -1, int maxHistory = -1);

    // The address read from SetupRede.Ini by the rules of the start (empty: this machine).
    static QString readServerAddress(const QString &setupFile);

    // Tests read the exact statements run.
    void setRecording(bool on) { m_recording = on; }
    QStringList takeStatements();

    struct Result
    {
        QStringList names;
        QVector<QVector<QVariant>> rows;
        int rowsAffected = 0;
    };
    // Runs one statement, committed at once. A statement that fails only because
    // another machine updated the same row at that instant is run again.
    Result runStatement(const QString &sql, bool select);

    // Statements run again after an update conflict, since this module was made.
    int conflictRetries() const { return m_conflictRetries; }

    // Looks up one value by code in the database (display fields).
    QVariant lookup(const QString &table, const QString &column, const QString &codeColumn,
                    const QVariant &code);

    SharedQuery Atualiza, Atualiza2, Atualiza3, Pesquisa, QGeraId, Empresa, Produtos, Tipos,
        Clientes, EstFic, Fornecedor, ForneProd, KESTRUM, COMPRAS, COMPPED, KitProd, KitMaster,
        Navegar, Genero;

private:
    void start(const Options &options);
    bool openConnection(const QString &database);
    void addDisplayFields();

    QString m_connectionName;
    QHash<QString, QVariant> m_lookupCache;
    QString m_connectError;
    bool m_lost = false;
    int m_conflictRetries = 0;
    QString m_lostDatabase;
    bool m_recording = false;
    QStringList m_statements;
};

// The data module of the running program (null when none).
extern TLOGON *LOGON;

// Thrown to end the program at once (the operator chose to abort).
struct EndProgram
{
    int code = 0;
};
