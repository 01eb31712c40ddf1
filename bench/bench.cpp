// Measures the program's main operations on a database of the standard data
// set, each beside its floor: the bare statements it needs, run on the same
// connection and read to the end.
#include "data/Clock.h"
#include "data/Format.h"
#include "data/Globals.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "data/Upgrade.h"
#include "movements/MovementConfirm.h"
#include "movements/TFormMovEst2.h"
#include "reports/ReportPreview.h"
#include "reports/TFormImpRap.h"
#include "reports/TFormRapQui.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Errors.h"
#include "ui/Look.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

double timeIt(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

// The floor: the same statements, bare, on the same connection.
void replay(TLOGON &logon, const QStringList &statements)
{
    QSqlDatabase db = logon.database();
    for (const QString &sql : statements) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(sql))
            throw DbError(q.lastError().databaseText() + QStringLiteral("\n") + sql);
        if (q.isSelect()) {
            const int columns = q.record().count();
            while (q.next())
                for (int i = 0; i < columns; ++i)
                    (void)q.value(i);
        }
    }
}

// A ledger insert replayed must not reuse the id it was given.
QStringList freshIds(QStringList statements)
{
    for (QString &s : statements) {
        if (s.startsWith(QLatin1String("insert into EstFic"), Qt::CaseInsensitive)) {
            const int open = s.indexOf(QLatin1String("values ("));
            const int comma = s.indexOf(QLatin1Char(','), open);
            if (open >= 0 && comma > open)
                s = s.left(open + 8) + QStringLiteral("\nGEN_ID(ESTFIC,1)") + s.mid(comma);
        }
    }
    return statements;
}

struct Line
{
    QString name;
    double ours, floor;
};

} // namespace

int main(int argc, char **argv)
{
    Application app(argc, argv);
    setupLocale(app);
    Look::applyStyle(app);
    Dialogs::setTestMode(true); // messages are recorded, never shown
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("PATH"), QStringLiteral("database of the standard data set"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("runs per operation (default 5)"),
                                        QStringLiteral("n"), QStringLiteral("5"));
    parser.addOption(runsOption);
    const QCommandLineOption onlyOption(QStringLiteral("only"), QStringLiteral("run just this operation (for profiling)"),
                                        QStringLiteral("name"));
    parser.addOption(onlyOption);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(1);
    const QString path = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const int runs = qMax(1, parser.value(runsOption).toInt());
    const QString only = parser.value(onlyOption);
    auto wanted = [&](const char *name) { return only.isEmpty() || only == QLatin1String(name); };
    TLOGON::Options options;
    options.localDatabase = path;
    options.readSetup = false;
    QList<Line> lines;

    try {
        // start: connect, upgrade, company read (what stands before the login).
        if (wanted("start")) {
            QList<double> ours, floor;
            for (int i = 0; i < runs; ++i) {
                QStringList statements;
                ours << timeIt([&] {
                    TLOGON logon(options);
                    logon.setRecording(true);
                    RunStartupUpgrade(logon);
                    logon.RunOnQuery(QStringLiteral("pesquisa"), QStringLiteral("select * from empresa "), QStringLiteral("open"));
                    statements = logon.takeStatements();
                });
                floor << timeIt([&] {
                    TLOGON logon(options);
                    replay(logon, statements);
                });
            }
            lines << Line{QStringLiteral("start"), median(ours), median(floor)};
        }

        TLOGON logon(options);
        CurrentUserName = QStringLiteral("KESTRUM");
        const QString code = QStringLiteral("000123");

        // code_exit: leaving the movement window's code field.
        if (wanted("code_exit")) {
            QList<double> ours, floor;
            TFormMovEst2 window;
            window.show();
            if (!QTest::qWaitForWindowActive(&window))
                throw AppError(QStringLiteral("a janela de movimento não ficou ativa"));
            auto *codeEdit = window.findChild<QLineEdit *>(QStringLiteral("Edit1"));
            auto *dateEdit = window.findChild<QLineEdit *>(QStringLiteral("MaskEdit1"));
            for (int i = 0; i < runs + 1; ++i) {
                codeEdit->setFocus();
                codeEdit->setText(code);
                logon.setRecording(true);
                const double t = timeIt([&] { dateEdit->setFocus(); });
                const QStringList statements = logon.takeStatements();
                logon.setRecording(false);
                if (i == 0)
                    continue; // the first pass warms the window
                ours << t;
                floor << timeIt([&] { replay(logon, statements); });
            }
            window.close();
            lines << Line{QStringLiteral("code_exit"), median(ours), median(floor)};
        }

        // confirm: one entry of one product, every statement of it.
        if (wanted("confirm")) {
            QList<double> ours, floor;
            for (int i = 0; i < runs; ++i) {
                MovementFields f;
                f.code = code;
                f.date = Format::shortDate(Clock::today());
                f.history = QStringLiteral("BENCH ENTRADA");
                f.type = QStringLiteral("1");
                f.quantity = QStringLiteral("2");
                f.cost = QStringLiteral("10,50");
                f.supplier = QStringLiteral("3");
                f.costCentre = QStringLiteral("0");
                f.customer = QStringLiteral("0");
                logon.setRecording(true);
                ours << timeIt([&] { confirmMovement(logon, f); });
                const QStringList statements = freshIds(logon.takeStatements());
                logon.setRecording(false);
                floor << timeIt([&] { replay(logon, statements); });
            }
            lines << Line{QStringLiteral("confirm"), median(ours), median(floor)};
        }

        // position: the stock position of every product, built and rendered to PDF.
        if (wanted("position")) {
            QList<double> ours, floor;
            QTemporaryDir dir;
            for (int i = 0; i < runs; ++i) {
                logon.setRecording(true);
                double built = 0, laid = 0, written = 0;
                ours << timeIt([&] {
                    WorkTable table = StockPosition::makeTable();
                    built = timeIt([&] { StockPosition::build(table, QString(), false); });
                    TFormRapQui layout(table);
                    layout.setPriceTitle(QStringLiteral("CUSTO"));
                    ReportDocument doc;
                    laid = timeIt([&] { doc = layout.generate(); });
                    written = timeIt([&] {
                        if (!ReportOutput::toPdf(doc, dir.path() + QStringLiteral("/posicao.pdf")))
                            throw AppError(QStringLiteral("PDF não gravado"));
                    });
                });
                std::fprintf(stderr, "position: rows %.0f ms, layout %.0f ms, pdf %.0f ms\n", built, laid, written);
                const QStringList statements = logon.takeStatements();
                logon.setRecording(false);
                floor << timeIt([&] { replay(logon, statements); });
            }
            lines << Line{QStringLiteral("position"), median(ours), median(floor)};
        }

        // The two ledger reads the monthly balance and the movement card stand on.
        const QDate today = Clock::today();
        const QDate monthStart(today.year(), today.month(), 1);
        const QString monthly =
            QStringLiteral("select codigo,SUM(entrada) as eent, SUM(saida) as esai from estfic where ( data between cast(")
            + QuoteSql(monthStart.toString(QStringLiteral("MM/dd/yyyy"))) + QStringLiteral("as date) and cast(") + QuoteSql(monthStart.addMonths(1).addDays(-1).toString(QStringLiteral("MM/dd/yyyy")))
            + QStringLiteral(" as date)) group by codigo");
        const QString card = QStringLiteral("select * from estfic where codigo = '") + code
                           + QStringLiteral("' and ( data between cast('01/01/1980'as date) and cast(")
                           + QuoteSql(today.toString(QStringLiteral("MM/dd/yyyy"))) + QStringLiteral(" as date)) order by data");
        for (const auto &[name, sql] : {std::pair{QStringLiteral("monthly_sums"), monthly},
                                        std::pair{QStringLiteral("card_sums"), card}}) {
            if (!only.isEmpty() && only != name)
                continue;
            QList<double> ours, floor;
            for (int i = 0; i < runs; ++i) {
                ours << timeIt([&] { logon.RunOnQuery(QStringLiteral("pesquisa"), sql, QStringLiteral("open")); });
                floor << timeIt([&] { replay(logon, {sql}); });
            }
            lines << Line{name, median(ours), median(floor)};
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "erro: %s\n", qPrintable(errorText(e)));
        return 1;
    }

    for (const Line &l : lines)
        std::printf("%s ours_ms=%.2f floor_ms=%.2f ratio=%.2f\n", qPrintable(l.name), l.ours, l.floor,
                    l.floor > 0 ? l.ours / l.floor : 0.0);
    return 0;
}
