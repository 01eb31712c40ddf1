#include "ui/Application.h"

#include "ui/Dialogs.h"
#include "ui/Errors.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        Dialogs::errorBox(errorText(e));
    }
    return false;
}

void setupLocale(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}
