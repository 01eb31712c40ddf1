// One copy of the program on its own machine, confirming movements through
// the movement window's confirmation code. Prints a line per movement:
//   done <n> <code> <quantity signed>    (a kit: done <n> /<kit> <quantity signed>)
//   error <n> <message>
#include "data/Format.h"
#include "data/Globals.h"
#include "data/TLOGON.h"
#include "movements/MovementConfirm.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Errors.h"

#include <QCommandLineParser>
#include <QDate>
#include <QFile>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    Application app(argc, argv);
    setupLocale(app);
    Dialogs::setTestMode(true);
    QCommandLineParser parser;
    const QCommandLineOption dbOption("db", "database string", "db");
    const QCommandLineOption workerOption("worker", "worker number", "n", "1");
    const QCommandLineOption countOption("count", "movements", "n", "200");
    const QCommandLineOption productsOption("products", "comma-separated product codes", "codes");
    const QCommandLineOption kitOption("kit", "kit code", "kit");
    const QCommandLineOption giveUpOption("give-up", "stop after this many errors in a row", "n", "20");
    const QCommandLineOption stopOption("stop-file", "stop cleanly once this file exists", "path");
    parser.addOptions({dbOption, workerOption, countOption, productsOption, kitOption, giveUpOption, stopOption});
    parser.process(app);

    const int worker = parser.value(workerOption).toInt();
    const int count = parser.value(countOption).toInt();
    const QStringList products = parser.value(productsOption).split(',', Qt::SkipEmptyParts);
    const QString kit = parser.value(kitOption);
    const int giveUp = parser.value(giveUpOption).toInt();

    TLOGON::Options options;
    options.localDatabase = parser.value(dbOption);
    options.readSetup = false;
    try {
        TLOGON logon(options);
        CurrentUserName = QStringLiteral("W%1").arg(worker);
        int errorsInARow = 0;
        const QString stopFile = parser.value(stopOption);
        for (int i = 0; i < count && errorsInARow < giveUp; ++i) {
            if (!stopFile.isEmpty() && QFile::exists(stopFile))
                break;
            MovementFields f;
            const int kind = (i + worker) % 5;
            const bool isKit = kind == 4 && !kit.isEmpty();
            const bool exit = kind >= 3;
            const int quantity = isKit ? 1 : 1 + (i * 7 + worker) % 9;
            f.code = isKit ? QStringLiteral("/") + kit : products.at((i * 3 + worker) % products.size());
            f.date = Format::shortDate(QDate::currentDate());
            f.history = QStringLiteral("W%1-%2").arg(worker).arg(i);
            f.type = exit ? QStringLiteral("0") : QStringLiteral("1");
            f.quantity = QString::number(quantity);
            f.cost = QStringLiteral("2,50");
            f.supplier = exit ? QStringLiteral("0") : QStringLiteral("1");
            f.costCentre = exit ? QStringLiteral("1") : QStringLiteral("0");
            f.customer = exit ? QStringLiteral("1") : QStringLiteral("0");
            const QString code = f.code;
            try {
                const ConfirmResult r = confirmMovement(logon, f);
                if (r.outcome != ConfirmResult::Recorded)
                    throw AppError(QStringLiteral("recusado %1").arg(int(r.outcome)));
                std::printf("done %d %s %d\n", i, qPrintable(code), exit ? -quantity : quantity);
                errorsInARow = 0;
            } catch (const std::exception &e) {
                // What the operator would see in the standard error box.
                Dialogs::errorBox(errorText(e));
                std::printf("error %d %s\n", i, qPrintable(errorText(e).simplified()));
                ++errorsInARow;
                QThread::msleep(50);
            }
            std::fflush(stdout);
        }
        std::printf("retries %d\n", logon.conflictRetries());
    } catch (const std::exception &e) {
        std::printf("fatal %s\n", qPrintable(errorText(e).simplified()));
        return 1;
    }
    return 0;
}
