// Makes a database filled with the benchmarks' standard data set.
#include "bench/BenchData.h"
#include "data/Schema.h"
#include "ui/Errors.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Creates PATH with the standard benchmark data set."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("PATH"), QStringLiteral("database file to create"));
    BenchSizes sizes;
    struct Option { const char *name; int *value; };
    const Option options[] = {{"products", &sizes.products}, {"families", &sizes.families},
                              {"suppliers", &sizes.suppliers}, {"customers", &sizes.customers},
                              {"centres", &sizes.centres}, {"kits", &sizes.kits},
                              {"rows", &sizes.rows}, {"years", &sizes.years}};
    for (const Option &o : options)
        parser.addOption(QCommandLineOption(QString::fromLatin1(o.name),
                                            QStringLiteral("default %1").arg(*o.value), QStringLiteral("n")));
    parser.process(app);
    for (const Option &o : options)
        if (parser.isSet(QString::fromLatin1(o.name)))
            *o.value = parser.value(QString::fromLatin1(o.name)).toInt();
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(1);
    const QString path = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s already exists\n", qPrintable(path));
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    try {
        Schema::install(path, {QStringLiteral("EMPRESA DE TESTES LTDA"), QStringLiteral("RUA DAS FLORES 10"),
                               QStringLiteral("SALVADOR"), QStringLiteral("BA")});
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), QStringLiteral("bench"));
            db.setDatabaseName(path);
            db.setUserName(QStringLiteral("SYSDBA"));
            db.setPassword(QStringLiteral("quillform"));
            db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
            if (!db.open())
                throw DbError(db.lastError().databaseText());
            fillBenchData(db, sizes);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("%s: %d products, %d ledger rows in %.1f s\n", qPrintable(path), sizes.products, sizes.rows,
                timer.elapsed() / 1000.0);
    return 0;
}
