#include "ui/Application.h"

#include "ui/Dialogs.h"
#include "ui/Errors.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
Application::KeyHook &keyHook()
{
    static Application::KeyHook hook;
    return hook;
}
} // namespace

void Application::setKeyHook(KeyHook hook) { keyHook() = std::move(hook); }

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        // notify() runs once per event; a key travelling up to parent widgets
        // does not come back here, so the hook acts once per press.
        if (event->type() == QEvent::KeyPress && receiver->isWidgetType() && keyHook())
            keyHook()(static_cast<QKeyEvent *>(event));
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
