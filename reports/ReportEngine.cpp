#include "reports/ReportEngine.h"

#include "ui/Errors.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QtMath>
#include <algorithm>

// ---- page ----

PageSetup PageSetup::letter() { return PageSetup(); }

PageSetup PageSetup::a4()
{
    PageSetup p;
    p.paper = Paper::A4;
    return p;
}

PageSetup PageSetup::custom(qreal widthMm, qreal heightMm)
{
    PageSetup p;
    p.paper = Paper::Custom;
    p.customSizeMm = QSizeF(widthMm, heightMm);
    return p;
}

QPageLayout PageSetup::pageLayout() const
{
    QPageSize size;
    switch (paper) {
    case Paper::Letter: size = QPageSize(QPageSize::Letter); break;
    case Paper::A4: size = QPageSize(QPageSize::A4); break;
    case Paper::Custom:
        // A label strip is wider than long: keep the size as given, never a
        // standard paper that happens to be close.
        size = QPageSize(customSizeMm, QPageSize::Millimeter, QStringLiteral("Personalizado"),
                         QPageSize::ExactMatch);
        break;
    }
    QPageLayout layout(size, orientation, QMarginsF(), QPageLayout::Millimeter);
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(marginsMm);
    return layout;
}

QSizeF PageSetup::contentSizePx() const
{
    const QRectF mm = pageLayout().paintRect(QPageLayout::Millimeter);
    return QSizeF(mmToPx(mm.width()), mmToPx(mm.height()));
}

QFont reportFont(qreal pointSize, bool bold, const QString &family)
{
    QFont f(family);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

// ---- bands ----

ReportItem &ReportBand::addText(const QString &name, qreal x, qreal y, qreal width,
                                const QString &text, const QFont &font,
                                Qt::Alignment alignment, qreal height)
{
    ReportItem item;
    item.kind = ReportItem::Kind::Text;
    item.name = name;
    if (height <= 0)
        height = qCeil(font.pointSizeF() * PixelsPerInch / 72.0 * 1.35);
    item.rect = QRectF(x, y, width, height);
    item.text = text;
    item.font = font;
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignVCenter;
    item.alignment = alignment;
    m_items.append(item);
    return m_items.last();
}

ReportItem &ReportBand::addLine(qreal x1, qreal y1, qreal x2, qreal y2, qreal penWidth)
{
    ReportItem item;
    item.kind = ReportItem::Kind::Line;
    item.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    item.penWidth = penWidth;
    m_items.append(item);
    return m_items.last();
}

ReportItem &ReportBand::addRect(const QRectF &rect, qreal penWidth, bool filled)
{
    ReportItem item;
    item.kind = ReportItem::Kind::Rect;
    item.rect = rect;
    item.penWidth = penWidth;
    item.filled = filled;
    m_items.append(item);
    return m_items.last();
}

ReportItem &ReportBand::addPaint(const QString &name, const QRectF &rect, ReportItem::Painter paint)
{
    ReportItem item;
    item.kind = ReportItem::Kind::Paint;
    item.name = name;
    item.rect = rect;
    item.paint = std::move(paint);
    m_items.append(item);
    return m_items.last();
}

ReportItem &ReportBand::addPageNumber(const QString &name, qreal x, qreal y, qreal width,
                                      const QString &prefix, const QFont &font,
                                      Qt::Alignment alignment)
{
    ReportItem &item = addText(name, x, y, width, prefix, font, alignment);
    item.pageNumber = true;
    return item;
}

ReportItem &ReportBand::item(const QString &name)
{
    for (ReportItem &i : m_items)
        if (i.name == name)
            return i;
    throw AppError(QStringLiteral("Item de relatório inexistente: %1").arg(name));
}

const ReportItem &ReportBand::item(const QString &name) const
{
    return const_cast<ReportBand *>(this)->item(name);
}

bool ReportBand::hasItem(const QString &name) const
{
    return std::any_of(m_items.cbegin(), m_items.cend(),
                       [&](const ReportItem &i) { return i.name == name; });
}

// ---- generation ----

Report::Report() = default;
Report::~Report() = default;

ReportGroup &Report::addGroup(const QString &field)
{
    m_groups.emplace_back();
    m_groups.back().field = field;
    return m_groups.back();
}

QVariant Report::field(const QString &name) const
{
    if (!m_source || m_row < 0 || m_row >= m_source->rowCount())
        return QVariant();
    return m_source->value(m_row, name);
}

bool Report::runHook(ReportBand &band)
{
    band.m_print = true;
    if (band.beforePrint)
        band.beforePrint(band);
    return band.m_print;
}

void Report::place(ReportDocument &doc, const ReportBand &band)
{
    PlacedBand placed;
    placed.kind = band.kind();
    placed.top = m_y;
    placed.height = band.height();
    placed.items = band.items();
    for (ReportItem &item : placed.items)
        if (item.pageNumber)
            item.text += QString::number(m_pageNumber);
    doc.pages.last().bands.append(std::move(placed));
    m_y += band.height();
}

void Report::startPage(ReportDocument &doc)
{
    doc.pages.append(ReportPage());
    ++m_pageNumber;
    m_y = 0;
    m_pageHasBody = false;
    if (pageHeader.enabled() && runHook(pageHeader))
        place(doc, pageHeader);
    if (m_pageNumber == 1 && title.enabled() && runHook(title))
        place(doc, title);
    if (columnHeader.enabled() && runHook(columnHeader))
        place(doc, columnHeader);
}

void Report::finishPage(ReportDocument &doc)
{
    if (pageFooter.enabled() && runHook(pageFooter)) {
        m_y = m_bottom;
        place(doc, pageFooter);
    }
}

void Report::emitBand(ReportDocument &doc, ReportBand &band)
{
    if (!band.enabled() || !runHook(band))
        return;
    // A band that does not fit goes to a new page, unless the page holds
    // nothing but its headers: then it is printed anyway, and cut.
    if (m_pageHasBody && m_y + band.height() > m_bottom + 0.01) {
        finishPage(doc);
        startPage(doc);
    }
    place(doc, band);
    m_pageHasBody = true;
}

ReportDocument Report::generate()
{
    ReportDocument doc;
    doc.name = name;
    doc.caption = caption;
    doc.page = page;

    m_pageNumber = 0;
    m_row = -1;
    m_bottom = page.contentSizePx().height() - (pageFooter.enabled() ? pageFooter.height() : 0);
    startPage(doc);

    const int rows = m_source ? m_source->rowCount() : 0;
    const int levels = int(m_groups.size());
    QList<QVariant> keys(levels);
    for (int r = 0; r < rows; ++r) {
        // The outermost group whose field changes closes every group inside it.
        int changed = levels;
        for (int g = 0; g < levels; ++g) {
            const QVariant key = m_source->value(r, m_groups[size_t(g)].field);
            if (r == 0 || key != keys[g]) {
                changed = g;
                break;
            }
        }
        if (r > 0 && changed < levels) {
            m_row = r - 1;
            for (int g = levels - 1; g >= changed; --g)
                emitBand(doc, m_groups[size_t(g)].footer);
        }
        m_row = r;
        for (int g = changed; g < levels; ++g) {
            keys[g] = m_source->value(r, m_groups[size_t(g)].field);
            emitBand(doc, m_groups[size_t(g)].header);
        }
        emitBand(doc, detail);
    }
    if (rows > 0) {
        m_row = rows - 1;
        for (int g = levels - 1; g >= 0; --g)
            emitBand(doc, m_groups[size_t(g)].footer);
    }
    m_row = -1;
    emitBand(doc, summary);
    finishPage(doc);
    return doc;
}

// ---- painting ----

void ReportDocument::paintPage(QPainter &painter, int index) const
{
    if (index < 0 || index >= pages.size())
        return;
    QPaintDevice *device = painter.device();
    const qreal sx = device->logicalDpiX() / PixelsPerInch;
    const qreal sy = device->logicalDpiY() / PixelsPerInch;
    auto toDevice = [&](const QRectF &r, qreal top) {
        return QRectF(r.x() * sx, (r.y() + top) * sy, r.width() * sx, r.height() * sy);
    };

    for (const PlacedBand &band : pages.at(index).bands) {
        for (const ReportItem &item : band.items) {
            if (!item.visible)
                continue;
            const QRectF r = toDevice(item.rect, band.top);
            switch (item.kind) {
            case ReportItem::Kind::Text:
                if (item.text.isEmpty())
                    break;
                // Point sizes resolve against the device, so text is not scaled by hand.
                painter.setFont(item.font);
                painter.setPen(Qt::black);
                painter.drawText(r, int(item.alignment) | Qt::TextSingleLine, item.text);
                break;
            case ReportItem::Kind::Line:
                painter.setPen(QPen(Qt::black, qMax<qreal>(1, item.penWidth * sy)));
                painter.drawLine(r.topLeft(), r.bottomRight());
                break;
            case ReportItem::Kind::Rect:
                painter.setPen(QPen(Qt::black, qMax<qreal>(1, item.penWidth * sy)));
                painter.setBrush(item.filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
                painter.drawRect(r);
                painter.setBrush(Qt::NoBrush);
                break;
            case ReportItem::Kind::Paint:
                if (item.paint) {
                    painter.save();
                    item.paint(painter, r);
                    painter.restore();
                }
                break;
            }
        }
    }
}

bool ReportDocument::render(QPagedPaintDevice *device, int fromPage, int toPage) const
{
    const int first = fromPage > 0 ? fromPage - 1 : 0;
    const int last = toPage > 0 ? qMin(toPage, pageCount()) - 1 : pageCount() - 1;
    QPainter painter;
    if (!painter.begin(device))
        return false;
    for (int i = first; i <= last; ++i) {
        if (i > first && !device->newPage()) {
            painter.end();
            return false;
        }
        paintPage(painter, i);
    }
    return painter.end();
}

// ---- reading back ----

QList<ReportLine> ReportDocument::lines() const
{
    QList<ReportLine> out;
    for (int p = 0; p < pages.size(); ++p) {
        for (const PlacedBand &band : pages.at(p).bands) {
            QList<const ReportItem *> texts;
            for (const ReportItem &item : band.items)
                if (item.kind == ReportItem::Kind::Text && item.visible && !item.text.trimmed().isEmpty())
                    texts.append(&item);
            std::stable_sort(texts.begin(), texts.end(), [](const ReportItem *a, const ReportItem *b) {
                return a->rect.y() < b->rect.y();
            });
            // Texts whose tops lie within a few pixels share a printed line.
            int start = 0;
            while (start < texts.size()) {
                int end = start + 1;
                while (end < texts.size() && texts[end]->rect.y() - texts[start]->rect.y() < 4)
                    ++end;
                QList<const ReportItem *> row = texts.mid(start, end - start);
                std::stable_sort(row.begin(), row.end(), [](const ReportItem *a, const ReportItem *b) {
                    return a->rect.x() < b->rect.x();
                });
                ReportLine line;
                line.page = p + 1;
                line.kind = band.kind;
                line.top = band.top + texts[start]->rect.y();
                for (const ReportItem *item : row)
                    line.cells.append({item->rect.x(), item->rect.width(), item->text, item->alignment, item->font});
                out.append(line);
                start = end;
            }
        }
    }
    return out;
}

QStringList ReportDocument::texts(int page) const
{
    QStringList out;
    for (int p = 0; p < pages.size(); ++p) {
        if (page >= 0 && p != page)
            continue;
        for (const PlacedBand &band : pages.at(p).bands)
            for (const ReportItem &item : band.items)
                if (item.kind == ReportItem::Kind::Text && item.visible)
                    out.append(item.text);
    }
    return out;
}
