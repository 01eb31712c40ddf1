#pragma once

#include <QString>

class ReportDocument;

// A PDF writer of our own for the reports made only of text, lines and
// rectangles in Arial. QPdfWriter shapes every text and embeds the font, which
// costs more than the report's queries on a long listing; here the text goes
// out in the standard Helvetica fonts (metric-compatible with Arial, so not
// embedded) with WinAnsiEncoding, which covers Portuguese. Each text sits
// where the painter puts it on the preview and the printer: same baseline,
// same alignment, widths and kerning measured on the same font.
namespace PlainPdf {

// True when every item is a text in an Arial-like font whose characters
// WinAnsi holds, a line or a rectangle. Anything else (pictures and barcodes
// painted by the layouts, other fonts) needs QPdfWriter.
bool supports(const ReportDocument &doc);

// Writes the document, one page per report page; false when the file could
// not be written.
bool write(const ReportDocument &doc, const QString &path);

} // namespace PlainPdf
