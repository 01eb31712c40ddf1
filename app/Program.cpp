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


void setupLocale(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

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

int runProgram(int argc, char **argv)
{
    Application app(argc, argv);
    setupLocale(app);
    if (!acquireSingleInstance(singleInstanceLockFile())) {
        Look::applyStyle(app);
        Dialogs::message(QStringLiteral("Você não pode executar outra cópia do aplicativo."),
                         QStringLiteral("Informação do Sistema"), Dialogs::Icon::Information);
        return 0;
    }
    Look::applyStyle(app);
    QApplication::setApplicationName(QStringLiteral("Tamblo"));
    try {
        TForm1 window;
        window.showMaximized();
        return app.exec();
    } catch (const EndProgram &end) {
        return end.code;
    }
}
