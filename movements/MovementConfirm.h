#pragma once

#include "ui/Texts.h"

#include <QString>

class TLOGON;

// The fixed texts of the movement window and its confirmation.
namespace MovementTexts {
inline const QString &ProductNotFound = Texts::ProductNotFound;
inline const QString SupplierNotFound = QStringLiteral("        Fornecedor não Localizado          ");
inline const QString CustomerNotFound = QStringLiteral("        Cliente não Localizado          ");
inline const QString NegativeStock = QStringLiteral(" ERRO Saida superior ao estoque ");
// Followed by MINIMO, "   Estoque atual: " and the stock after the movement.
inline const QString BelowMinimum = QStringLiteral("Produto com estoque inferior ao minimo. \rminimo: ");
} // namespace MovementTexts

// What the operator has in the movement window at the moment of "Confirme",
// as texts. The confirmation repairs and clears them in place; the window
// shows them back.
struct MovementFields
{
    QString code;        // product code, or "/" + kit code
    QString lot;
    QString date;        // dd/mm/yy
    QString history;
    QString type;        // "0" exit; anything else is an entry ("1" is what the window admits)
    QString quantity;
    QString cost;
    QString supplier;
    QString costCentre;
    QString customer;
    QString balance;     // the balance shown, "0.#"
    QString lotBalance;
    QString productName; // the name shown: the product's, or "[KIT] " + the kit's
};

struct ConfirmResult
{
    enum Outcome {
        Recorded,        // ran to its end (a kit without components writes nothing)
        RefusedNegative, // the exit would make the stock negative; nothing written
        ProductNotFound  // no product has the code; nothing written
    };
    Outcome outcome = Recorded;
    int logRows = 0;
    int ledgerRows = 0;
    bool repaired = false; // the numeric fields were repaired before the first ledger row
};

// The kit code of a "/" code field: what follows the "/", trimmed, as typed.
QString kitCodeOf(const QString &codeField);

// Confirms one movement: the checks, the log row(s), the ledger row(s) and,
// after an entry of a product, its average cost, last cost and supplier.
// Messages go through Dialogs; database and conversion errors are let through.
ConfirmResult confirmMovement(TLOGON &logon, MovementFields &fields);
