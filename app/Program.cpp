#include "app/Program.h"

#include "app/TForm1.h"
#include "data/TLOGON.h"
#include "ui/Dialogs.h"
#include "ui/Errors.h"
#include "ui/Application.h"
#include "ui/Look.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>



QString singleInstanceLockFile()
{
    return QDir::tempPath() + QStringLiteral("/InstanciaIniciadaEstoque.lock");
}

bool acquireSingleInstance(const QString &lockFile)
{
    const int fd = ::open(QFile::encodeName(lockFile).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return true; // no lock to be had is no reason to refuse the operator
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    return true; // the descriptor stays open, and the lock held, until the process ends
}

bool claimSingleCopy(QApplication &app, const QString &lockFile)
{
    if (acquireSingleInstance(lockFile))
        return true;
    Look::applyStyle(app);
    Dialogs::message(QStringLiteral("Você não pode executar outra cópia do aplicativo."),
                     QStringLiteral("Informação do Sistema"), Dialogs::Icon::Information);
    return false;
}

int runProgram(int argc, char **argv)
{
    Application app(argc, argv);
    setupLocale(app);
    if (!claimSingleCopy(app, singleInstanceLockFile()))
        return 0;
    Look::applyStyle(app);
    QApplication::setApplicationName(QStringLiteral("Tamblo"));
    try {
        TForm1 window;
        Look::maximize(&window);
        window.show();
        return app.exec();
    } catch (const EndProgram &end) {
        return end.code;
    }
}
