#include "tests/support/FbServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {
int freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 3051;
    return probe.serverPort();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}
} // namespace

FbServer::FbServer() = default;

FbServer::~FbServer() { stop(); }

QString FbServer::binary()
{
    const QString env = qEnvironmentVariable("TAMBLO_FBSERVER");
    if (!env.isEmpty())
        return env;
    return QStringLiteral(TAMBLO_BUILD_DIR "/fbserver/usr/sbin/firebird");
}

bool FbServer::start()
{
    const QString bin = binary();
    if (!QFileInfo(bin).isExecutable()) {
        m_error = QStringLiteral("servidor Firebird não encontrado em ") + bin;
        return false;
    }
    const QString root = m_root.path();
    if (m_port == 0)
        m_port = freePort(); // a restart keeps its port, as a real server does
    const QByteArray r = root.toLocal8Bit();
    writeFile(root + QStringLiteral("/firebird.conf"),
              "RemoteServicePort = " + QByteArray::number(m_port) + "\n"
              "RemoteBindAddress = 127.0.0.1\n"
              "ServerMode = Super\n"
              "SecurityDatabase = " + r + "/security3.fdb\n");
    writeFile(root + QStringLiteral("/databases.conf"), "security.db = " + r + "/security3.fdb\n");
    QFile::copy(QStringLiteral("/etc/firebird/3.0/plugins.conf"), root + QStringLiteral("/plugins.conf"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), root);
    env.insert(QStringLiteral("FIREBIRD_LOCK"), root + QStringLiteral("/lock"));

    if (QFile::exists(root + QStringLiteral("/security3.fdb")))
        return launch(bin, env);
    QProcess isql;
    isql.setProcessEnvironment(env);
    isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA")});
    isql.waitForStarted();
    isql.write("CREATE DATABASE '" + r + "/security3.fdb';\n"
               "CREATE USER SYSDBA PASSWORD 'quillform' USING PLUGIN Srp;\nCOMMIT;\nQUIT;\n");
    isql.closeWriteChannel();
    if (!isql.waitForFinished(30000) || isql.exitCode() != 0) {
        m_error = QStringLiteral("isql-fb: ") + QString::fromLocal8Bit(isql.readAllStandardError());
        return false;
    }

    return launch(bin, env);
}

bool FbServer::launch(const QString &bin, const QProcessEnvironment &env)
{
    const QString root = m_root.path();
    QProcess server;
    server.setProcessEnvironment(env);
    server.setProgram(bin);
    server.setStandardOutputFile(root + QStringLiteral("/server.log"));
    server.setStandardErrorFile(root + QStringLiteral("/server.log"), QIODevice::Append);
    // Its own session, so a test's end never takes a half-stopped server with it.
    server.setChildProcessModifier([] { ::setsid(); });
    if (!server.startDetached(&m_pid)) {
        m_error = QStringLiteral("não foi possível iniciar ") + bin;
        return false;
    }
    if (!waitListening(10000)) {
        m_error = QStringLiteral("o servidor não abriu a porta %1").arg(m_port);
        kill();
        return false;
    }
    return true;
}

bool FbServer::waitListening(int ms) const
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(m_port));
        if (socket.waitForConnected(200))
            return true;
        QThread::msleep(50);
    }
    return false;
}

void FbServer::stop()
{
    if (m_pid <= 0)
        return;
    ::kill(pid_t(m_pid), SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (::kill(pid_t(m_pid), 0) != 0)
            break;
        ::waitpid(pid_t(m_pid), nullptr, WNOHANG);
        QThread::msleep(50);
    }
    if (::kill(pid_t(m_pid), 0) == 0)
        ::kill(pid_t(m_pid), SIGKILL);
    m_pid = 0;
}

void FbServer::kill()
{
    if (m_pid <= 0)
        return;
    ::kill(pid_t(m_pid), SIGKILL);
    for (int i = 0; i < 100 && ::kill(pid_t(m_pid), 0) == 0; ++i)
        QThread::msleep(20);
    m_pid = 0;
}
