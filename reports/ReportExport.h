#pragma once

#include <QString>

class ReportDocument;

// Saving a generated report as a file. Each returns false when the file
// could not be written (the caller shows the error; nothing is reported as saved).
namespace ReportExport {

enum class Format { Pdf, Text, Spreadsheet, Rtf };

bool writePdf(const ReportDocument &doc, const QString &path);
// Plain text: every printed line at its place, in columns of a fixed width.
bool writeText(const ReportDocument &doc, const QString &path);
// Spreadsheet (.xlsx): one row per printed line, one cell per text; the
// right-aligned amounts go in as numbers.
bool writeSpreadsheet(const ReportDocument &doc, const QString &path);
// Rich text: the printed lines with tab stops where the columns stand.
bool writeRtf(const ReportDocument &doc, const QString &path);

// By the file name's extension; a name without one is a PDF.
Format formatFor(const QString &path);
bool write(const ReportDocument &doc, const QString &path, Format format);

// The file dialog's filters, PDF first: it is the default choice.
QString fileFilters();
// The format of one filter of fileFilters(); Pdf for anything else.
Format formatOfFilter(const QString &filter);
QString extension(Format format);

// Text of a pt-BR amount ("98.765,40", "-2,50") as a number; false if it is not one.
bool readAmount(const QString &text, double *value, int *decimals = nullptr);

} // namespace ReportExport
