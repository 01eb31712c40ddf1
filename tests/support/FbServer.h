#pragma once

#include <QString>
#include <QTemporaryDir>

// A private Firebird server on 127.0.0.1, with its own configuration root and
// security database (SYSDBA / quillform), started for one test and stopped by pid.
class FbServer
{
public:
    FbServer();
    ~FbServer();

    // False (with the reason in error()) when the server binary is missing.
    bool start();        // again after stop() or kill(): the same port and databases
    void stop();         // SIGTERM, then waits
    void kill();         // SIGKILL: the server dies mid-work
    bool running() const { return m_pid > 0; }

    int port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1/%1").arg(m_port); }
    QString error() const { return m_error; }

    // The server binary: $TAMBLO_FBSERVER, else the one unpacked beside the build.
    static QString binary();

private:
    bool waitListening(int ms) const;
    bool launch(const QString &bin, const class QProcessEnvironment &env);

    QTemporaryDir m_root;
    int m_port = 0;
    qint64 m_pid = 0;
    QString m_error;
};
