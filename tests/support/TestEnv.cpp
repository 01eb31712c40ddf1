#include "tests/support/TestEnv.h"

#include "ui/Application.h"
#include "data/Globals.h"
#include "data/Paths.h"
#include "data/Schema.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"
#include "ui/Look.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QDialog>
#include <QLineEdit>

QString templateDatabase()
{
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        path = dir.path() + QStringLiteral("/template.fdb");
        Schema::install(path, {QStringLiteral("Loja Teste"), QStringLiteral("Rua das Flores 10"),
                               QStringLiteral("Salvador"), QStringLiteral("BA")});
    }
    return path;
}

TestRoot::TestRoot()
{
    QDir().mkpath(install());
    QFile::copy(templateDatabase(), database());
    QFile(database()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    Paths::setRoot(root());
    resetGlobals();
    Dialogs::resetTest();
}

TestRoot::~TestRoot() { Paths::setRoot(QString()); }

QString TestRoot::install() const { return root() + QStringLiteral("/Estoque"); }
QString TestRoot::database() const { return install() + QStringLiteral("/ESTFBKESTRUM20.FDB"); }

void TestRoot::writeFile(const QString &name, const QByteArray &content) const
{
    QFile f(install() + QLatin1Char('/') + name);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
}

std::unique_ptr<TLOGON> TestRoot::connect() const
{
    Paths::setRoot(root());
    return std::make_unique<TLOGON>();
}

void initTestProcess()
{
    setupLocale(*qApp);
    Look::applyStyle(*qApp);
    Dialogs::setTestMode(true);
    QApplication::setApplicationName(QStringLiteral("Tamblo"));
}

QVariant scalar(TLOGON &logon, const QString &sql)
{
    const TLOGON::Result r = logon.runStatement(sql, true);
    if (r.rows.isEmpty() || r.rows.first().isEmpty())
        return QVariant();
    return r.rows.first().first();
}

void queueLogin(const QString &name, const QString &password)
{
    Dialogs::queueModal([name, password](QDialog *login) {
        auto *user = login->findChild<QLineEdit *>(QStringLiteral("Edit1"));
        auto *pass = login->findChild<QLineEdit *>(QStringLiteral("Edit2"));
        QVERIFY(user && pass);
        user->setText(name);
        pass->setText(password);
        QTest::keyClick(pass, Qt::Key_Return);
    });
}

QList<Dialogs::Shown> shownOfKind(const QList<Dialogs::Shown> &shown, const QString &kind)
{
    QList<Dialogs::Shown> out;
    for (const auto &s : shown)
        if (s.kind == kind)
            out << s;
    return out;
}
