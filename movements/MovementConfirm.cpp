#include "movements/MovementConfirm.h"

#include "data/Clock.h"
#include "data/Format.h"
#include "data/Parse.h"
#include "data/Routines.h"
#include "data/SqlLiterals.h"
#include "data/TLOGON.h"
#include "movements/Ledger.h"
#include "ui/Dialogs.h"
#include "ui/Errors.h"

#include <QMap>
#include <QStringList>
#include <QVector>
#include <cmath>

namespace {

const QString Yes = QStringLiteral("S");

// EstFic.HISTORICO and EstFic.SDATA.
constexpr int HistoryLength = 30;
constexpr int LotLength = 9;
// LOGS.DATA and LOGS.HISTORICO; a product movement keeps the historic cut of
// its log text to 30 characters.
constexpr int LogDateLength = 18;
constexpr int ProductLogLength = 30;
constexpr int LogHistoryLength = 40;

bool isNumber(const QString &text) { return IsNumber(text) == Yes; }

QString numberOrZero(const QString &text) { return isNumber(text) ? text : QStringLiteral("0"); }

// Supplier, customer and cost-centre codes go to INTEGER columns and to the
// supplier update: a decimal there would fail after the ledger row is written.
QString wholeOrZero(const QString &text)
{
    int value = 0;
    return Parse::tryInteger(text, &value) ? QString::number(value) : QStringLiteral("0");
}

// Quantities carry three decimals: sums of them are compared at that precision,
// so 0,1 + 0,2 - 0,3 is 0 and not a hair below it.
bool belowZero(double value) { return std::round(value * 1000.0) < 0; }

// A number as the program writes it in a message: no trailing zeros, decimal comma.
QString numberText(double value)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), Format::DecimalSeparator);
    return text;
}

QString movementText(bool exit, const QString &quantity)
{
    return (exit ? QStringLiteral("Saida Qt ") : QStringLiteral("Entrada Qt ")) + quantity;
}

void warnBelowMinimum(double minimum, double stock)
{
    Dialogs::message(MovementTexts::BelowMinimum + numberText(minimum) + QStringLiteral("   Estoque atual: ")
                     + Format::FormatFloat(QStringLiteral("0"), stock));
}

struct LedgerRow
{
    int id = 0;
    QString code;
    double entrada = 0;
    double saida = 0;
    double ccusto = 0;
    double valor = 0;
    double pedido = 0;
};

QString ledgerInsert(const QString &head, const LedgerRow &row, const MovementFields &f)
{
    const auto number = [](double value) { return QuoteSql(SqlNumber(value)); };
    // ccusto, cliente and Pedido are INTEGER columns: Firebird reads
    // '2147484.000' as 2147484000 before fitting it to the column and refuses
    // it, which failed the insert after the log row was written. Codes from
    // there up travel as whole numbers.
    const auto code = [&number](double value) {
        return std::fabs(value) <= 2147483 ? number(value) : QuoteSql(QString::number(qint64(value)));
    };
    const QStringList values = {
        QuoteSql(QString::number(row.id)),
        QuoteSql(row.code),
        QuoteSql(f.lot),
        SqlDate(f.date),
        QuoteSql(f.customer),
        QuoteSql(f.history),
        number(row.entrada),
        number(row.saida),
        code(row.ccusto),
        number(row.valor),
        code(Parse::number(f.customer)),
        code(row.pedido),
    };
    QStringList lines{head};
    for (int i = 0; i < values.size(); ++i)
        lines << values.at(i) + (i + 1 < values.size() ? QLatin1Char(',') : QLatin1Char(')'));
    return lines.join(QLatin1Char('\n'));
}

// The numeric fields of the ledger row: anything that does not convert is 0.
void repairNumbers(MovementFields &f)
{
    f.quantity = numberOrZero(f.quantity);
    f.cost = numberOrZero(f.cost);
    f.costCentre = wholeOrZero(f.costCentre);
    f.customer = wholeOrZero(f.customer);
    f.supplier = wholeOrZero(f.supplier);
}

struct Component
{
    QString code;
    double quant = 0;
};

QVector<Component> kitComponents(TLOGON &logon, const QString &kit)
{
    logon.RunOnQuery(QStringLiteral("KitProd"),
                     QStringLiteral("select * from KitProd where codigo = ") + QuoteSql(kit),
                     QStringLiteral("open"));
    QVector<Component> components;
    SharedQuery &items = logon.KitProd;
    for (items.first(); !items.eof(); items.next())
        components.append({items.text(QStringLiteral("CODPROD")), items.number(QStringLiteral("QUANT"))});
    return components;
}

bool negativeStockForbidden(TLOGON &logon)
{
    logon.RunOnQuery(QStringLiteral("empresa"), QStringLiteral("select * from Empresa"), QStringLiteral("open"));
    return logon.Empresa.integer(QStringLiteral("SCL1")) == 1;
}

// An exit of a kit takes quantity x QUANT of every component: it may go ahead
// only when each component's dated balance covers it (a product that stands
// twice in the kit must cover both lines).
bool kitExitAllowed(TLOGON &logon, const QString &kit, const QString &quantity)
{
    if (!negativeStockForbidden(logon))
        return true;
    const double q = Parse::number(quantity);
    QMap<QString, double> taken;
    for (const Component &c : kitComponents(logon, kit))
        taken[c.code] += q * c.quant;
    for (auto it = taken.cbegin(); it != taken.cend(); ++it)
        if (belowZero(Ledger::datedBalance(logon, it.key()) - it.value()))
            return false;
    return true;
}

bool productExitAllowed(TLOGON &logon, const QString &code, const QString &quantity)
{
    const double dated = Ledger::datedBalance(logon, code);
    if (!negativeStockForbidden(logon))
        return true;
    return !belowZero(dated - Parse::number(quantity));
}

void productMovement(TLOGON &logon, MovementFields &f, ConfirmResult &result)
{
    const bool exit = f.type == QLatin1String("0");
    logon.RunOnQuery(QStringLiteral("produtos"),
                     QStringLiteral("select * from Produtos where codigo = ") + QuoteSql(f.code),
                     QStringLiteral("open"));
    f.quantity = numberOrZero(f.quantity);
    // A code that names no product would be written with an empty code, a
    // movement no balance ever counts.
    if (logon.Produtos.isEmpty()) {
        Dialogs::message(MovementTexts::ProductNotFound);
        result.outcome = ConfirmResult::ProductNotFound;
        return;
    }
    const SharedQuery &product = logon.Produtos;
    const QString productCode = product.text(QStringLiteral("CODIGO"));
    const double minimum = product.number(QStringLiteral("MINIMO"));
    const double average = product.number(QStringLiteral("MEDIO"));

    logon.AppendLog(QStringLiteral("Movimentou Produdo ") + movementText(exit, f.quantity) + QLatin1Char(' ')
                        + f.productName,
                    LogDateLength, ProductLogLength);
    ++result.logRows;

    repairNumbers(f);
    result.repaired = true;
    const double q = Parse::number(f.quantity);
    const double cost = Parse::number(f.cost);

    LedgerRow row;
    row.id = logon.NextId(QStringLiteral("ESTFIC"));
    row.code = productCode;
    row.entrada = exit ? 0 : q;
    row.saida = exit ? q : 0;
    row.ccusto = exit ? Parse::number(f.costCentre) : 0;
    row.valor = cost;
    row.pedido = exit ? 0 : Parse::number(f.supplier);
    const QString insert = ledgerInsert(
        QStringLiteral("insert into EstFic (id,codigo,sdata,data,NFiscal,Historico,entrada,saida,ccusto,valor,"
                       "cliente,Pedido)  values ("),
        row, f);

    const double shown = Parse::number(f.balance);
    if (exit && minimum > 0 && shown - q < minimum)
        warnBelowMinimum(minimum, shown - q);

    logon.RunOnQuery(QStringLiteral("atualiza"), insert, QStringLiteral("exec"));
    ++result.ledgerRows;

    if (exit || !isNumber(f.cost))
        return;
    const QString where = QStringLiteral(" where codigo = ") + QuoteSql(f.code);
    // The new average weighs the stock shown before this entry at the old
    // average; with no stock left to weigh (q + B = 0) the average stays.
    try {
        const double divisor = q + shown;
        if (divisor != 0) {
            const double updated = (average * shown + cost * q) / divisor;
            if (std::isfinite(updated))
                logon.RunOnQuery(QStringLiteral("atualiza"),
                                 QStringLiteral("update produtos set medio = ") + QuoteSql(SqlNumber(updated)) + where,
                                 QStringLiteral("exec"));
        }
    } catch (const AppError &) {
        // The average is a guide; the movement stands without it.
    }
    logon.RunOnQuery(QStringLiteral("atualiza"),
                     QStringLiteral("update produtos set Custo = ") + QuoteSql(SqlNumber(cost)) + where,
                     QStringLiteral("exec"));
    if (f.type == QLatin1String("1"))
        logon.RunOnQuery(QStringLiteral("atualiza"),
                         QStringLiteral("update produtos set fornecedor = ")
                             + QuoteSql(Format::FormatFloat(QStringLiteral("0"), Parse::integer(f.supplier))) + where,
                         QStringLiteral("exec"));
}

void kitMovement(TLOGON &logon, MovementFields &f, ConfirmResult &result)
{
    const bool exit = f.type == QLatin1String("0");
    f.quantity = numberOrZero(f.quantity);
    const double q = Parse::number(f.quantity);
    for (const Component &c : kitComponents(logon, kitCodeOf(f.code))) {
        try {
            logon.RunOnQuery(QStringLiteral("produtos"),
                             QStringLiteral("select * from Produtos where codigo = ") + QuoteSql(c.code),
                             QStringLiteral("open"));
        } catch (const AppError &) {
            // A component that cannot be read is still moved, at cost 0.
            logon.Produtos.close();
        }
        const double componentCost = logon.Produtos.number(QStringLiteral("CUSTO"));
        const double minimum = logon.Produtos.number(QStringLiteral("MINIMO"));
        const double cq = q * c.quant;

        // The kit's name would carry the text past the log column, which
        // refused the row and with it the whole kit movement.
        logon.AppendLog(QStringLiteral("Movimentou Produdo ")
                            + movementText(exit, Format::FormatFloat(QStringLiteral("0.000"), cq))
                            + QLatin1Char(' ') + f.productName,
                        -1, LogHistoryLength);
        ++result.logRows;

        repairNumbers(f);
        result.repaired = true;

        const double balance = Ledger::datedBalance(logon, c.code);
        f.balance = Format::FormatFloat(QStringLiteral("0.#"), balance);
        // The warning tells the stock the component is left with, which an
        // entry raises and an exit lowers.
        const double after = exit ? balance - cq : balance + cq;
        if (minimum > 0 && after < minimum)
            warnBelowMinimum(minimum, after);

        LedgerRow row;
        row.id = logon.NextId(QStringLiteral("ESTFIC"));
        row.code = c.code;
        row.entrada = exit ? 0 : cq;
        row.saida = exit ? cq : 0;
        row.ccusto = exit ? Parse::number(f.costCentre) : 0;
        row.valor = componentCost;
        row.pedido = exit ? 0 : Parse::number(f.supplier);
        logon.RunOnQuery(QStringLiteral("atualiza"),
                         ledgerInsert(QStringLiteral("insert into EstFic (id,codigo,sdata,data,NFiscal,Historico,"
                                                     "entrada,saida,ccusto,valor,cliente,pedido)  values ("),
                                      row, f),
                         QStringLiteral("exec"));
        ++result.ledgerRows;
    }
}

} // namespace

QString kitCodeOf(const QString &codeField) { return codeField.mid(1).left(15).trimmed(); }

ConfirmResult confirmMovement(TLOGON &logon, MovementFields &f)
{
    ConfirmResult result;
    if (!isNumber(f.balance))
        f.balance = QStringLiteral("0");
    if (!isNumber(f.lotBalance))
        f.lotBalance = QStringLiteral("0");

    // The check reads the code as it will be written (12 is product 000012).
    const QString code = NormalizeProductCode(f.code);
    const bool kit = code.startsWith(QLatin1Char('/'));
    if (f.type == QLatin1String("0")) {
        const bool allowed = kit ? kitExitAllowed(logon, kitCodeOf(code), f.quantity)
                                 : productExitAllowed(logon, code, f.quantity);
        if (!allowed) {
            Dialogs::message(MovementTexts::NegativeStock);
            result.outcome = ConfirmResult::RefusedNegative;
            return result;
        }
    }

    f.lot = f.lot.trimmed().left(LotLength);
    if (IsDateText(f.date) != Yes)
        f.date = Format::shortDate(Clock::today());
    f.code = code;
    f.history = f.history.left(HistoryLength);
    // Repaired before anything is written, so that no statement after the
    // ledger insert can fail on them and leave the movement half written.
    f.supplier = wholeOrZero(f.supplier);
    f.customer = wholeOrZero(f.customer);
    f.costCentre = wholeOrZero(f.costCentre);

    if (kit)
        kitMovement(logon, f, result);
    else
        productMovement(logon, f, result);
    if (result.outcome != ConfirmResult::Recorded)
        return result;

    f.code.clear();
    f.quantity.clear();
    f.cost.clear();
    return result;
}
