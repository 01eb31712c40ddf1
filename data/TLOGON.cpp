#include "data/TLOGON.h"

#include "data/Clock.h"
#include "data/Format.h"
#include "data/Globals.h"
#include "data/Paths.h"
#include "data/SqlLiterals.h"
#include "data/TFormErro.h"
#include "ui/Dialogs.h"
#include "ui/Errors.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QThread>

TLOGON *LOGON = nullptr;

namespace {

int s_connections = 0;

QString sqlErrorText(const QSqlError &e)
{
    const QString db = e.databaseText().trimmed();
    return db.isEmpty() ? e.text().trimmed() : db;
}

// The server went away under the connection (killed, restarted, network down).
bool isConnectionLost(const QSqlError &e)
{
    static const char *const codes[] = {"335544721", "335544726", "335544727", "335544741",
                                        "335544856", "335544528", "335545106"};
    for (const char *code : codes)
        if (e.nativeErrorCode() == QLatin1String(code))
            return true;
    const QString t = e.databaseText() + e.driverText();
    for (const char *text : {"Error writing data to the connection", "Error reading data from the connection",
                             "connection shutdown", "Unable to complete network request", "connection lost"})
        if (t.contains(QLatin1String(text), Qt::CaseInsensitive))
            return true;
    return false;
}

bool isUpdateConflict(const QSqlError &e)
{
    const QString t = e.databaseText() + e.driverText();
    return t.contains(QLatin1String("update conflicts with concurrent update"))
        || t.contains(QLatin1String("concurrent transaction number"));
}

} // namespace

TLOGON::TLOGON() : TLOGON(Options()) {}

TLOGON::TLOGON(const Options &options)
    : Atualiza(this, QStringLiteral("Atualiza")),
      Atualiza2(this, QStringLiteral("Atualiza2")),
      Atualiza3(this, QStringLiteral("Atualiza3")),
      Pesquisa(this, QStringLiteral("Pesquisa")),
      QGeraId(this, QStringLiteral("QGeraId"), QString(), QStringLiteral("select * from GeraId")),
      Empresa(this, QStringLiteral("Empresa"), QStringLiteral("EMPRESA"),
              QStringLiteral("Select * from empresa")),
      Produtos(this, QStringLiteral("Produtos"), QStringLiteral("PRODUTOS"),
               QStringLiteral("select * from produtos")),
      Tipos(this, QStringLiteral("Tipos"), QStringLiteral("TIPOS"), QStringLiteral("select * from tipos")),
      Clientes(this, QStringLiteral("Clientes"), QStringLiteral("CLIENTES"),
               QStringLiteral("Select * from Clientes")),
      EstFic(this, QStringLiteral("EstFic"), QStringLiteral("ESTFIC"), QStringLiteral("select * from estfic")),
      Fornecedor(this, QStringLiteral("Fornecedor"), QStringLiteral("FORNECEDOR"),
                 QStringLiteral("select * from fornecedor")),
      ForneProd(this, QStringLiteral("ForneProd"), QStringLiteral("FORNEPROD"),
                QStringLiteral("select * from Forneprod")),
      KESTRUM(this, QStringLiteral("KESTRUM"), QStringLiteral("KESTRUM"),
              QStringLiteral("select * from Kestrum")),
      COMPRAS(this, QStringLiteral("COMPRAS"), QStringLiteral("COMPRAS"),
              QStringLiteral("select * from COMPRAS")),
      COMPPED(this, QStringLiteral("COMPPED"), QStringLiteral("COMPPED"),
              QStringLiteral("select * from COMPPED")),
      KitProd(this, QStringLiteral("KitProd"), QStringLiteral("KITPROD"),
              QStringLiteral("select * from kitprod")),
      KitMaster(this, QStringLiteral("KitMaster"), QStringLiteral("KITMASTER"),
                QStringLiteral("select * from kitMaster")),
      Navegar(this, QStringLiteral("Navegar"), QString(), QStringLiteral("select codigo from produtos")),
      Genero(this, QStringLiteral("Genero"), QStringLiteral("GENERO"), QStringLiteral("select * from Genero"))
{
    m_connectionName = s_connections++ == 0 ? QStringLiteral("Logon")
                                            : QStringLiteral("Logon%1").arg(s_connections);
    addDisplayFields();
    if (!LOGON)
        LOGON = this;
    try {
        start(options);
    } catch (...) {
        if (LOGON == this)
            LOGON = nullptr;
        QSqlDatabase::removeDatabase(m_connectionName);
        throw;
    }
}

TLOGON::~TLOGON()
{
    // Every statement runs on a query that dies with its call, so the
    // connection can close and detach here.
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    if (LOGON == this)
        LOGON = nullptr;
}

QString TLOGON::readServerAddress(const QString &setupFile)
{
    QString address;
    QFile file(setupFile);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&file);
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty())
            address = line;
    }
    if (address.trimmed().size() < 8)
        address.clear();
    if (!address.isEmpty()) {
        const QString t = address.trimmed();
        if (t.isEmpty() || !(t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9')))
            address.clear();
    }
    return address;
}

void TLOGON::start(const Options &options)
{
    ServerAddress.clear();
    if (options.readSetup)
        ServerAddress = readServerAddress(Paths::installFile(QStringLiteral("SetupRede.Ini")));
    const QString local = options.localDatabase.isEmpty() ? Paths::database() : options.localDatabase;
    const QString database = ServerAddress.trimmed().isEmpty() ? local
                                                               : ServerAddress + QLatin1Char(':') + local;
    if (openConnection(database))
        return;
    if (!ServerAddress.trimmed().isEmpty()) {
        TFormErro problem;
        Dialogs::execModal(&problem);
        if (problem.aborted())
            throw EndProgram{0};
        if (!openConnection(local))
            throw DbError(m_connectError);
    }
    // With no server named, a failed connection is left for the first statement to report.
}

bool TLOGON::openConnection(const QString &database)
{
    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_connectionName);
    if (db.isOpen())
        db.close();
    db.setDatabaseName(database);
    db.setHostName(QString());
    db.setUserName(QStringLiteral("SYSDBA"));
    db.setPassword(QStringLiteral("quillform"));
    db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
    if (db.open()) {
        m_connectError.clear();
        return true;
    }
    m_connectError = sqlErrorText(db.lastError());
    if (m_connectError.isEmpty())
        m_connectError = QStringLiteral("Não foi possível conectar ao banco de dados %1").arg(database);
    return false;
}

bool TLOGON::connected() const
{
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    return db.isValid() && db.isOpen();
}

QString TLOGON::databaseName() const
{
    return QSqlDatabase::database(m_connectionName, false).databaseName();
}

QSqlDatabase TLOGON::database() const { return QSqlDatabase::database(m_connectionName, false); }

SharedQuery &TLOGON::query(const QString &key)
{
    static const char *const names[] = {"ATUALIZA", "ATUALIZA2", "ATUALIZA3", "PESQUISA", "EMPRESA",
                                        "PRODUTOS", "TIPOS", "CLIENTES", "ESTFIC", "FORNECEDOR",
                                        "FORNEPROD", "KESTRUM", "COMPRAS", "COMPPED", "KITPROD",
                                        "KITMASTER", "NAVEGAR", "GENERO"};
    SharedQuery *const queries[] = {&Atualiza, &Atualiza2, &Atualiza3, &Pesquisa, &Empresa,
                                    &Produtos, &Tipos, &Clientes, &EstFic, &Fornecedor,
                                    &ForneProd, &KESTRUM, &COMPRAS, &COMPPED, &KitProd,
                                    &KitMaster, &Navegar, &Genero};
    const QString upper = key.toUpper();
    for (size_t i = 0; i < std::size(names); ++i)
        if (upper == QLatin1String(names[i]))
            return *queries[i];
    return Atualiza;
}

void TLOGON::RunOnQuery(const QString &key, const QString &statement, const QString &mode)
{
    SharedQuery &q = query(key);
    q.close();
    q.setSql(statement);
    const QString m = mode.toUpper();
    if (m == QLatin1String("OPEN"))
        q.open();
    else if (m == QLatin1String("EXEC"))
        q.exec();
}

void TLOGON::CloseSharedQueries()
{
    for (SharedQuery *q : {&Pesquisa, &Atualiza, &Atualiza3, &Atualiza2, &Produtos, &Clientes,
                           &Fornecedor, &EstFic, &KESTRUM})
        q->close();
}

int TLOGON::NextId(const QString &generator) { return NextId(generator, QGeraId); }

int TLOGON::NextId(const QString &generator, SharedQuery &on)
{
    on.close();
    on.setSql(QStringLiteral("SELECT GEN_ID(") + generator + QStringLiteral(",1) AS teste FROM GeraID"));
    on.open();
    return on.integer(QStringLiteral("teste"));
}

void TLOGON::AppendLog(const QString &history, int maxDateTime, int maxHistory)
{
    const QDateTime now = Clock::now();
    QString when = Format::shortDate(now.date()) + QLatin1Char(' ') + Format::longTime(now.time());
    QString text = history;
    if (maxDateTime >= 0)
        when = when.left(maxDateTime);
    if (maxHistory >= 0)
        text = text.left(maxHistory);
    const QStringList lines = {
        QStringLiteral("insert into  LOGS (id,DATA,HISTORICO,USUARIO) values ("),
        QStringLiteral("GEN_ID(LOGS,1),"),
        QuoteSql(when) + QLatin1Char(','),
        QuoteSql(text) + QLatin1Char(','),
        QuoteSql(CurrentUserName) + QLatin1Char(')'),
    };
    Atualiza.close();
    Atualiza.setSql(lines.join(QLatin1Char('\n')));
    Atualiza.exec();
}

QStringList TLOGON::takeStatements()
{
    QStringList out;
    out.swap(m_statements);
    return out;
}

TLOGON::Result TLOGON::runStatement(const QString &sql, bool select)
{
    if (m_recording)
        m_statements << sql;
    // Display lookups are fresh for each statement the program runs.
    m_lookupCache.clear();
    if (m_lost && !openConnection(m_lostDatabase))
        throw DbError(m_connectError);
    m_lost = false;
    QSqlDatabase db = database();
    if (!db.isValid() || !db.isOpen())
        throw DbError(m_connectError.isEmpty() ? QStringLiteral("Banco de dados não conectado")
                                               : m_connectError);
    constexpr int attempts = 6;
    for (int attempt = 1;; ++attempt) {
        Result result;
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (q.exec(sql)) {
            if (select && q.isSelect()) {
                const QSqlRecord rec = q.record();
                for (int i = 0; i < rec.count(); ++i)
                    result.names << rec.fieldName(i).trimmed();
                const int n = rec.count();
                while (q.next()) {
                    QVector<QVariant> row(n);
                    for (int i = 0; i < n; ++i)
                        row[i] = q.value(i);
                    result.rows.append(std::move(row));
                }
                if (q.lastError().isValid())
                    throw DbError(sqlErrorText(q.lastError()));
            } else {
                result.rowsAffected = q.numRowsAffected();
            }
            return result;
        }
        const QSqlError error = q.lastError();
        if (isConnectionLost(error)) {
            // Whether this statement reached the server is unknown, so it is
            // never run again by itself: the operator sees the error. The next
            // statement attaches anew, so the work goes on once the server is back.
            m_lost = true;
            m_lostDatabase = db.databaseName();
            throw DbError(sqlErrorText(error));
        }
        if (!isUpdateConflict(error) || attempt == attempts)
            throw DbError(sqlErrorText(error));
        // Another machine changed the same row at this instant; this statement
        // committed nothing, so running it again is safe.
        ++m_conflictRetries;
        QThread::msleep(10 * attempt + QRandomGenerator::global()->bounded(20));
    }
}

QVariant TLOGON::lookup(const QString &table, const QString &column, const QString &codeColumn,
                        const QVariant &code)
{
    if (code.isNull() || code.toString().trimmed().isEmpty())
        return QVariant();
    const QString key = table + QLatin1Char('.') + column + QLatin1Char('=') + code.toString();
    const auto hit = m_lookupCache.constFind(key);
    if (hit != m_lookupCache.constEnd())
        return *hit;
    QSqlDatabase db = database();
    if (!db.isOpen())
        return QVariant();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("select first 1 %1 from %2 where %3 = ?").arg(column, table, codeColumn));
    q.addBindValue(code);
    QVariant value;
    if (q.exec() && q.next())
        value = q.value(0);
    m_lookupCache.insert(key, value);
    return value;
}

void TLOGON::addDisplayFields()
{
    // Display fields are looked up by code in the database itself, not in
    // whatever rows the looked-up query happens to hold at that moment.
    Produtos.addDisplayField(QStringLiteral("NomeForne"), [this](const SharedQuery &q, int row) {
        const QVariant code = q.valueAt(row, QStringLiteral("FORNECEDOR"));
        if (code.isNull())
            return QVariant(QString());
        return QVariant(lookup(QStringLiteral("FORNECEDOR"), QStringLiteral("NOME"),
                               QStringLiteral("CODIGO"), code.toInt())
                            .toString()
                            .left(30));
    });
    COMPPED.addDisplayField(QStringLiteral("Nome"), [this](const SharedQuery &q, int row) {
        return QVariant(lookup(QStringLiteral("PRODUTOS"), QStringLiteral("NOME"), QStringLiteral("CODIGO"),
                               q.valueAt(row, QStringLiteral("CODIGO")).toString())
                            .toString()
                            .left(30));
    });
    COMPPED.addDisplayField(QStringLiteral("Total"), [](const SharedQuery &q, int row) {
        const QVariant quant = q.valueAt(row, QStringLiteral("QUANT"));
        const QVariant custo = q.valueAt(row, QStringLiteral("CUSTO"));
        bool ok1 = false, ok2 = false;
        const double a = quant.toDouble(&ok1), b = custo.toDouble(&ok2);
        return QVariant(ok1 && ok2 ? a * b : 0.0);
    });
    KitProd.addDisplayField(QStringLiteral("Valor"), [this](const SharedQuery &q, int row) {
        const QVariant v = lookup(QStringLiteral("PRODUTOS"), QStringLiteral("VALOR"),
                                  QStringLiteral("CODIGO"), q.valueAt(row, QStringLiteral("CODPROD")).toString());
        return QVariant(v.isNull() ? 0.0 : v.toDouble());
    });
}
