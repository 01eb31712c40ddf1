#include "data/Paths.h"

#include <QDir>

namespace Paths {
namespace {
QString &overridden()
{
    static QString r;
    return r;
}
} // namespace

QString root()
{
    if (!overridden().isEmpty())
        return overridden();
    const QString env = qEnvironmentVariable("TAMBLO_ROOT");
    if (!env.isEmpty())
        return QDir::cleanPath(env);
    return QDir::homePath() + QStringLiteral("/Kestrum");
}

QString install() { return root() + QStringLiteral("/Estoque"); }
QString installFile(const QString &name) { return install() + QLatin1Char('/') + name; }
QString database() { return installFile(QString::fromLatin1(DatabaseFile)); }
void setRoot(const QString &r) { overridden() = r; }

} // namespace Paths
