#pragma once

#include "reports/ReportEngine.h"

#include <QDialog>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

// The report preview: maximised, zoomed to the page width, with buttons to
// print and to save the report as PDF (the default), text, spreadsheet or RTF.
class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    ReportPreview(const ReportDocument &document, QWidget *parent = nullptr);
    ~ReportPreview() override;

    const ReportDocument &document() const { return m_document; }
    QPrintPreviewWidget *view() const { return m_view; }

    // The buttons' work, for the buttons and for whoever drives the window.
    void printDocument();
    void saveDocument();
    // Writes the file in the format its extension names; false (and the
    // standard error box) when it could not be written.
    bool saveAs(const QString &path);

private:
    void paintPreview(QPrinter *printer);
    void showPageNumber();

    ReportDocument m_document;
    QPrinter *m_printer;
    QPrintPreviewWidget *m_view;
    QLabel *m_pageLabel;
};

// Ways out for a generated report.
namespace ReportOutput {

// Shows the preview modally (through the dialog seam).
void preview(const ReportDocument &document, QWidget *parent);
// Prints at once on the default printer. Where there is no printer (and in
// tests, which never reach one) the report is written as a PDF file in the
// installation folder's "Relatorios" folder and the operator is told where.
// Returns the PDF's path in that case.
QString printNow(const ReportDocument &document);
// Renders straight to a PDF file.
bool toPdf(const ReportDocument &document, const QString &path);

} // namespace ReportOutput
