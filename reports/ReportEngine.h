#pragma once

#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <deque>
#include <functional>

class QPainter;
class QPagedPaintDevice;

// The banded report engine. A report is a page setup and bands; each band is
// a list of items placed in pixels (1/96 inch) from the band's top-left
// corner. Before-print hooks set texts and keep totals; generate() runs them
// once, in print order, and lays the result out as pages. The pages are plain
// data, painted alike on the preview, a printer or a PDF file, and read by the
// text, spreadsheet and RTF exports.

// Pixels are the layouts' unit: 96 to the inch, as the screens they were drawn on.
inline constexpr qreal PixelsPerInch = 96.0;
inline qreal mmToPx(qreal mm) { return mm * PixelsPerInch / 25.4; }

struct PageSetup
{
    enum class Paper { Letter, A4, Custom };

    Paper paper = Paper::Letter;
    QSizeF customSizeMm;     // width x height, for Paper::Custom
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10};

    static PageSetup letter();
    static PageSetup a4();
    static PageSetup custom(qreal widthMm, qreal heightMm);

    QPageLayout pageLayout() const;
    // The area between the margins, in pixels.
    QSizeF contentSizePx() const;
};

struct ReportItem
{
    enum class Kind { Text, Line, Rect, Paint };
    using Painter = std::function<void(QPainter &painter, const QRectF &deviceRect)>;

    Kind kind = Kind::Text;
    QString name;
    QRectF rect;                 // pixels, from the band's top-left; a line runs corner to corner
    QString text;
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    qreal penWidth = 1;          // lines and rectangles, pixels
    bool filled = false;         // rectangles
    bool pageNumber = false;     // text is a prefix; the page number follows it
    bool visible = true;
    Painter paint;               // Kind::Paint: images, barcodes
};

// Arial, as every layout asks for it (Liberation Sans on this platform).
QFont reportFont(qreal pointSize, bool bold = false, const QString &family = QStringLiteral("Arial"));

class ReportBand
{
public:
    enum class Kind { Title, PageHeader, ColumnHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };
    using Hook = std::function<void(ReportBand &band)>;

    explicit ReportBand(Kind kind = Kind::Detail, qreal height = 0) : m_kind(kind), m_height(height) {}

    Kind kind() const { return m_kind; }
    // A band without height is not part of the report.
    qreal height() const { return m_height; }
    void setHeight(qreal px) { m_height = px; }
    bool enabled() const { return m_height > 0; }

    // Text of one line; height 0 takes the font's line.
    ReportItem &addText(const QString &name, qreal x, qreal y, qreal width, const QString &text,
                        const QFont &font, Qt::Alignment alignment = Qt::AlignLeft, qreal height = 0);
    ReportItem &addLine(qreal x1, qreal y1, qreal x2, qreal y2, qreal penWidth = 1);
    ReportItem &addRect(const QRectF &rect, qreal penWidth = 1, bool filled = false);
    ReportItem &addPaint(const QString &name, const QRectF &rect, ReportItem::Painter paint);
    // "prefix" followed by the number of the page the band lands on.
    ReportItem &addPageNumber(const QString &name, qreal x, qreal y, qreal width, const QString &prefix,
                              const QFont &font, Qt::Alignment alignment = Qt::AlignRight);

    // Items by name (AppError when there is none: a layout's own mistake).
    ReportItem &item(const QString &name);
    const ReportItem &item(const QString &name) const;
    bool hasItem(const QString &name) const;
    void setText(const QString &name, const QString &text) { item(name).text = text; }
    QString text(const QString &name) const { return item(name).text; }

    QList<ReportItem> &items() { return m_items; }
    const QList<ReportItem> &items() const { return m_items; }

    // Runs before each printing of the band; it may set texts or skip this printing.
    Hook beforePrint;
    void skipThisPrint() { m_print = false; }

private:
    friend class Report;
    Kind m_kind;
    qreal m_height;
    QList<ReportItem> m_items;
    bool m_print = true;
};

// Where the report's rows come from: a work table or a shared query.
class ReportSource
{
public:
    virtual ~ReportSource() = default;
    virtual int rowCount() const = 0;
    virtual QVariant value(int row, const QString &field) const = 0;
};

// Header and footer around the rows that share the value of one field.
struct ReportGroup
{
    QString field;
    ReportBand header{ReportBand::Kind::GroupHeader};
    ReportBand footer{ReportBand::Kind::GroupFooter};
};

// A band as it landed on a page: the items as its hook left them.
struct PlacedBand
{
    ReportBand::Kind kind;
    qreal top = 0;       // pixels from the top of the content area
    qreal height = 0;
    QList<ReportItem> items;
};

struct ReportPage
{
    QList<PlacedBand> bands;
};

// One printed line of a band, for the exports: its texts left to right.
struct ReportLine
{
    struct Cell
    {
        qreal x = 0, width = 0;
        QString text;
        Qt::Alignment alignment;
        QFont font;
    };
    int page = 0;
    ReportBand::Kind kind;
    qreal top = 0;
    QList<Cell> cells;
};

class ReportDocument
{
public:
    QString name;      // the layout's name, e.g. TFormRapQui
    QString caption;   // what the preview shows as its title
    PageSetup page;
    QList<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    // Paints one page with the painter already begun on a paged device whose
    // origin is the top-left corner of the margins.
    void paintPage(QPainter &painter, int index) const;
    // All pages (or from..to, 1-based, 0 meaning all) on a device already set
    // to this page layout; false when the device cannot be painted.
    bool render(QPagedPaintDevice *device, int fromPage = 0, int toPage = 0) const;

    QList<ReportLine> lines() const;
    // Every text of the document, page by page (what a test reads without a PDF).
    QStringList texts(int page = -1) const;
};

class Report
{
public:
    Report();
    virtual ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    QString name;
    QString caption;
    PageSetup page;

    ReportBand title{ReportBand::Kind::Title};            // first page only, under the page header
    ReportBand pageHeader{ReportBand::Kind::PageHeader};  // every page
    ReportBand columnHeader{ReportBand::Kind::ColumnHeader}; // every page, under the page header
    ReportBand detail{ReportBand::Kind::Detail};          // once per row
    ReportBand summary{ReportBand::Kind::Summary};        // after the last row
    ReportBand pageFooter{ReportBand::Kind::PageFooter};  // bottom of every page

    // Groups nest in the order added: the first is the outermost.
    ReportGroup &addGroup(const QString &field);
    std::deque<ReportGroup> &groups() { return m_groups; }

    void setSource(const ReportSource *source) { m_source = source; }
    const ReportSource *source() const { return m_source; }

    // While hooks run: the row being printed (the last row of the group in a
    // group footer, -1 outside the rows) and the page the band will land on.
    int currentRow() const { return m_row; }
    int pageNumber() const { return m_pageNumber; }
    QVariant field(const QString &name) const;

    // Runs every hook once, in print order, and lays the bands out as pages.
    ReportDocument generate();

private:
    void startPage(ReportDocument &doc);
    void finishPage(ReportDocument &doc);
    void place(ReportDocument &doc, const ReportBand &band);
    void emitBand(ReportDocument &doc, ReportBand &band);
    bool runHook(ReportBand &band);

    std::deque<ReportGroup> m_groups;
    const ReportSource *m_source = nullptr;
    int m_row = -1;
    int m_pageNumber = 0;
    qreal m_y = 0;
    qreal m_bottom = 0;
    bool m_pageHasBody = false;
};
