#pragma once

class QLineEdit;

namespace Edits {

// Typed letters become capitals, as the registers store them.
void upperCase(QLineEdit *edit);
// Quantity, cost and price fields: a typed "." becomes the decimal comma.
void decimalComma(QLineEdit *edit);
// A field bound to a column never takes more characters than the column holds.
void limit(QLineEdit *edit, int columnLength);

} // namespace Edits
