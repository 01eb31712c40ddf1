#include "reports/ReportExport.h"

#include "reports/PlainPdf.h"
#include "reports/ReportEngine.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>
#include <QtMath>

#include <xlsxwriter.h>

namespace ReportExport {
namespace {

// Width of one column of the text export: an 8 point Arial letter, roughly.
constexpr qreal TextColumnPx = 7.0;

// Rich text measures in twips, 1440 to the inch.
int twips(qreal px) { return qRound(px * 1440.0 / PixelsPerInch); }
int twipsFromMm(qreal mm) { return qRound(mm * 1440.0 / 25.4); }

QString rtfEscape(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            out += QLatin1Char('\\') + c;
        else if (u < 0x80)
            out += c;
        else
            out += QStringLiteral("\\u%1?").arg(qint16(u));
    }
    return out;
}

bool isAmountCell(const ReportLine::Cell &cell, double *value, int *decimals)
{
    if (!(cell.alignment & Qt::AlignRight))
        return false;
    const QString t = cell.text.trimmed();
    // Codes are written with leading zeros and must stay as typed.
    const QString digits = t.startsWith(QLatin1Char('-')) ? t.mid(1) : t;
    if (digits.size() > 1 && digits.startsWith(QLatin1Char('0')) && digits.at(1) != QLatin1Char(','))
        return false;
    return readAmount(t, value, decimals);
}

} // namespace

bool readAmount(const QString &text, double *value, int *decimals)
{
    static const QRegularExpression grouped(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})+(,\\d+)?$"));
    static const QRegularExpression plain(QStringLiteral("^-?\\d+(,\\d+)?$"));
    const QString t = text.trimmed();
    if (!grouped.match(t).hasMatch() && !plain.match(t).hasMatch())
        return false;
    QString c = t;
    c.remove(QLatin1Char('.'));
    const int comma = int(c.indexOf(QLatin1Char(',')));
    if (decimals)
        *decimals = comma < 0 ? 0 : int(c.size()) - comma - 1;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

bool writePdf(const ReportDocument &doc, const QString &path)
{
    if (PlainPdf::supports(doc))
        return PlainPdf::write(doc, path);
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setTitle(doc.caption);
    writer.setCreator(QStringLiteral("Tamblo"));
    if (!writer.setPageLayout(doc.page.pageLayout()))
        return false;
    if (!doc.render(&writer))
        return false;
    return QFileInfo(path).size() > 0;
}

bool writeText(const ReportDocument &doc, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    int page = 1;
    for (const ReportLine &line : doc.lines()) {
        if (line.page != page) {
            out << '\n';
            page = line.page;
        }
        QString text;
        for (const ReportLine::Cell &cell : line.cells) {
            const QString t = cell.text.trimmed();
            int start = qRound(cell.x / TextColumnPx);
            if (cell.alignment & Qt::AlignRight)
                start = qRound((cell.x + cell.width) / TextColumnPx) - int(t.size());
            else if (cell.alignment & Qt::AlignHCenter)
                start = qRound((cell.x + cell.width / 2) / TextColumnPx) - int(t.size()) / 2;
            // Never run into the text before: one blank at least between cells.
            const int minimum = text.isEmpty() ? 0 : int(text.size()) + 1;
            start = qMax(start, minimum);
            text += QString(start - text.size(), QLatin1Char(' '));
            text += t;
        }
        out << text << '\n';
    }
    out.flush();
    return out.status() == QTextStream::Ok && file.commit();
}

bool writeSpreadsheet(const ReportDocument &doc, const QString &path)
{
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook *book = workbook_new(file.constData());
    if (!book)
        return false;
    QByteArray sheetName = doc.caption.left(31).toUtf8();
    for (char &c : sheetName)
        if (QByteArrayView("[]:*?/\\").contains(c))
            c = ' ';
    lxw_worksheet *sheet = workbook_add_worksheet(book, sheetName.isEmpty() ? nullptr : sheetName.constData());
    if (!sheet)
        sheet = workbook_add_worksheet(book, nullptr);

    QHash<int, lxw_format *> amountFormats; // by decimals, plus 100 when bold
    lxw_format *boldText = workbook_add_format(book);
    format_set_bold(boldText);
    auto amountFormat = [&](int decimals, bool bold) {
        const int key = decimals + (bold ? 100 : 0);
        lxw_format *&f = amountFormats[key];
        if (!f) {
            f = workbook_add_format(book);
            QByteArray mask = "#,##0";
            if (decimals > 0)
                mask += '.' + QByteArray(decimals, '0');
            format_set_num_format(f, mask.constData());
            if (bold)
                format_set_bold(f);
        }
        return f;
    };

    int maxCells = 0;
    lxw_row_t row = 0;
    for (const ReportLine &line : doc.lines()) {
        lxw_col_t col = 0;
        for (const ReportLine::Cell &cell : line.cells) {
            double value = 0;
            int decimals = 0;
            const bool bold = cell.font.bold();
            if (isAmountCell(cell, &value, &decimals)) {
                worksheet_write_number(sheet, row, col, value, amountFormat(decimals, bold));
            } else {
                const QByteArray utf8 = cell.text.trimmed().toUtf8();
                worksheet_write_string(sheet, row, col, utf8.constData(), bold ? boldText : nullptr);
            }
            ++col;
        }
        maxCells = qMax(maxCells, int(col));
        ++row;
    }
    if (maxCells > 0)
        worksheet_set_column(sheet, 0, lxw_col_t(maxCells - 1), 16, nullptr);
    return workbook_close(book) == LXW_NO_ERROR;
}

bool writeRtf(const ReportDocument &doc, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QPageLayout layout = doc.page.pageLayout();
    const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
    QString out;
    out += QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\n");
    out += QStringLiteral("\\paperw%1\\paperh%2\\margl%3\\margr%4\\margt%5\\margb%6\n")
               .arg(twipsFromMm(paper.width()))
               .arg(twipsFromMm(paper.height()))
               .arg(twipsFromMm(doc.page.marginsMm.left()))
               .arg(twipsFromMm(doc.page.marginsMm.right()))
               .arg(twipsFromMm(doc.page.marginsMm.top()))
               .arg(twipsFromMm(doc.page.marginsMm.bottom()));
    int page = 1;
    for (const ReportLine &line : doc.lines()) {
        if (line.page != page) {
            out += QStringLiteral("\\page\n");
            page = line.page;
        }
        // One tab stop per cell, where its text is anchored; stops must rise.
        QString stops, body;
        int lastStop = 0;
        for (int i = 0; i < line.cells.size(); ++i) {
            const ReportLine::Cell &cell = line.cells.at(i);
            QString kind;
            int stop = twips(cell.x);
            if (cell.alignment & Qt::AlignRight) {
                kind = QStringLiteral("\\tqr");
                stop = twips(cell.x + cell.width);
            } else if (cell.alignment & Qt::AlignHCenter) {
                kind = QStringLiteral("\\tqc");
                stop = twips(cell.x + cell.width / 2);
            }
            const bool leading = i == 0 && stop == 0;
            if (!leading) {
                stop = qMax(stop, lastStop + 15);
                stops += kind + QStringLiteral("\\tx%1").arg(stop);
                lastStop = stop;
                body += QStringLiteral("\\tab ");
            }
            body += QStringLiteral("{\\fs%1%2 %3}")
                        .arg(qRound(cell.font.pointSizeF() * 2))
                        .arg(cell.font.bold() ? QStringLiteral("\\b") : QString())
                        .arg(rtfEscape(cell.text.trimmed()));
        }
        out += QStringLiteral("\\pard\\plain\\f0") + stops + QLatin1Char(' ') + body + QStringLiteral("\\par\n");
    }
    out += QStringLiteral("}\n");
    file.write(out.toLatin1());
    return file.commit();
}

Format formatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("txt"))
        return Format::Text;
    if (suffix == QLatin1String("xlsx") || suffix == QLatin1String("xls"))
        return Format::Spreadsheet;
    if (suffix == QLatin1String("rtf"))
        return Format::Rtf;
    return Format::Pdf;
}

bool write(const ReportDocument &doc, const QString &path, Format format)
{
    switch (format) {
    case Format::Pdf: return writePdf(doc, path);
    case Format::Text: return writeText(doc, path);
    case Format::Spreadsheet: return writeSpreadsheet(doc, path);
    case Format::Rtf: return writeRtf(doc, path);
    }
    return false;
}

QString fileFilters()
{
    return QStringLiteral("Arquivo PDF (*.pdf);;Texto (*.txt);;Planilha (*.xlsx);;Rich Text (*.rtf)");
}

Format formatOfFilter(const QString &filter)
{
    if (filter.contains(QLatin1String("*.txt")))
        return Format::Text;
    if (filter.contains(QLatin1String("*.xlsx")))
        return Format::Spreadsheet;
    if (filter.contains(QLatin1String("*.rtf")))
        return Format::Rtf;
    return Format::Pdf;
}

QString extension(Format format)
{
    switch (format) {
    case Format::Pdf: return QStringLiteral(".pdf");
    case Format::Text: return QStringLiteral(".txt");
    case Format::Spreadsheet: return QStringLiteral(".xlsx");
    case Format::Rtf: return QStringLiteral(".rtf");
    }
    return QString();
}

} // namespace ReportExport
