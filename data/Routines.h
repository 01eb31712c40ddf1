#pragma once

#include <QString>

class QPainter;

// The small routines every window shares. Yes/no answers are the one-letter
// flags "S" and "N" that the callers compare as texts.

// "S" when the text reads as a dd/mm/yy (or dd/mm/yyyy) date, else "N".
QString IsDateText(const QString &text);
// "S" when the text reads as a number with the decimal comma (blanks around
// it allowed, no thousands separator), else "N". The empty text is "N".
QString IsNumber(const QString &text);
// Apostrophes become full stops and accented letters lose their accents; the
// length never changes.
QString RemoveAccents(const QString &text);
// "S" when bit (1, 2, 4, ... 128) is set in the rights mask, else "N".
QString HasRight(int mask, int bit);

// The 95 modules ("1" bar, "0" space) of an EAN-13 code, guards included.
// The check digit is drawn as typed, never computed. Raises ConvertError for
// a code shorter than 13 characters or with a non-digit in places 2 to 13.
QString Ean13Modules(const QString &code);
// Draws those modules as 85-pixel bars, the first at x = 10.
void DrawEan13(const QString &code, QPainter &painter);

// A typed product code as the registers keep it: trimmed, and a whole number
// that fits in 32 bits written with at least six digits (12 -> 000012).
QString NormalizeProductCode(const QString &text);
