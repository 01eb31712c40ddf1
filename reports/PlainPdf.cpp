#include "reports/PlainPdf.h"

#include "data/Clock.h"
#include "reports/ReportEngine.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QSaveFile>
#include <array>
#include <charconv>
#include <limits>
#include <memory>
#include <vector>

namespace PlainPdf {
namespace {

constexpr double PointsPerPixel = 72.0 / PixelsPerInch;
// The painter draws no line thinner than one dot of the 1200 dpi QPdfWriter.
constexpr double ThinnestLine = 72.0 / 1200.0;

// ---- characters ----

// WinAnsiEncoding is Latin-1 except for 0x80-0x9F (0 where it has no character).
constexpr std::array<char16_t, 32> WinAnsi80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code of a character in WinAnsi, 0 when it has none. The painter prints
// a report text on one line: line breaks, tabs and other controls are blanks.
uchar winAnsiCode(char16_t c)
{
    if (c < 0x20 || c == 0x7F || c == 0x2028 || c == 0x2029)
        return ' ';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return uchar(c);
    for (size_t i = 0; i < WinAnsi80.size(); ++i)
        if (WinAnsi80[i] == c)
            return uchar(0x80 + i);
    return 0;
}

char16_t unicodeOf(uchar code) { return code >= 0x80 && code < 0xA0 ? WinAnsi80[code - 0x80] : code; }

// The text in WinAnsi; false when a character has no code there.
bool encode(const QString &text, QByteArray &out)
{
    out.resize(text.size());
    char *d = out.data();
    for (const QChar c : text) {
        const uchar code = winAnsiCode(c.unicode());
        if (!code)
            return false;
        *d++ = char(code);
    }
    return true;
}

// ---- fonts ----

// The standard faces stand in for Arial, whose metrics they share.
constexpr std::array<const char *, 4> BaseFonts = {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique",
                                                   "Helvetica-BoldOblique"};

int faceOf(const QFont &font) { return (font.bold() ? 1 : 0) + (font.italic() ? 2 : 0); }

bool isArialLike(const QFont &font)
{
    static const QStringList families = {QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                                         QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
    // Spacing, stretch and capitals would need the shaping this writer skips.
    constexpr uint reshaped = QFont::LetterSpacingResolved | QFont::WordSpacingResolved
                              | QFont::StretchResolved | QFont::CapitalizationResolved;
    return font.pointSizeF() > 0 && !(font.resolveMask() & reshaped) && !font.underline()
           && !font.strikeOut() && !font.overline() && families.contains(font.family(), Qt::CaseInsensitive);
}

// Fonts already accepted: the items of one band share theirs, so this is short.
class FontCheck
{
public:
    bool accepts(const QFont &font)
    {
        for (const QFont &f : m_accepted)
            if (f == font)
                return true;
        if (!isArialLike(font))
            return false;
        m_accepted.append(font);
        return true;
    }

private:
    QList<QFont> m_accepted;
};

// Advances, kerning and the ascent and descent of one face, in thousandths
// of the em, measured on the font the painter uses (Liberation Sans here,
// Arial on Windows). The PDF carries the same advances as its widths, so a
// viewer places every glyph where the alignment counted it.
class FaceMetrics
{
public:
    explicit FaceMetrics(const QFont &font) : m_font(font)
    {
        // Large and unhinted: the design metrics, not those of a screen size.
        m_font.setPixelSize(1000);
        m_font.setHintingPreference(QFont::PreferNoHinting);
        m_font.setKerning(true);
        const QFontMetricsF metrics(m_font);
        ascent = metrics.ascent();
        descent = metrics.descent();
        for (int code = FirstCode; code < 256; ++code) {
            const char16_t u = unicodeOf(uchar(code));
            advance[code] = u ? qRound(metrics.horizontalAdvance(QChar(u))) : 0;
        }
        m_kerning.assign(size_t(Codes * Codes), Unmeasured);
    }

    // The shaper's adjustment between two codes (negative brings them closer),
    // measured the first time the pair occurs.
    int kerning(uchar a, uchar b)
    {
        qint16 &k = m_kerning[size_t((a - FirstCode) * Codes + (b - FirstCode))];
        if (k == Unmeasured) {
            const QString pair = QString(QChar(unicodeOf(a))) + QChar(unicodeOf(b));
            k = qint16(qRound(QFontMetricsF(m_font).horizontalAdvance(pair)) - advance[a] - advance[b]);
        }
        return k;
    }

    static constexpr int FirstCode = 32;
    std::array<int, 256> advance{};
    double ascent = 0;
    double descent = 0;

private:
    static constexpr int Codes = 256 - FirstCode;
    static constexpr qint16 Unmeasured = std::numeric_limits<qint16>::min();
    QFont m_font;
    std::vector<qint16> m_kerning;
};

// ---- numbers ----

void appendInt(QByteArray &out, qint64 v)
{
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    out.append(buf, end - buf);
}

// Positions are kept in hundredths of a point: exact sums, short numbers.
qint64 hundredths(double points) { return qRound64(points * 100); }

void appendHundredths(QByteArray &out, qint64 v)
{
    if (v < 0) {
        out += '-';
        v = -v;
    }
    appendInt(out, v / 100);
    const int cents = int(v % 100);
    if (cents) {
        out += '.';
        out += char('0' + cents / 10);
        if (cents % 10)
            out += char('0' + cents % 10);
    }
}

void appendPoints(QByteArray &out, double points) { appendHundredths(out, hundredths(points)); }

void appendString(QByteArray &out, QByteArrayView text)
{
    out += '(';
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == ')' || c == '\\') {
            out += text.sliced(start, i - start);
            out += '\\';
            start = i;
        }
    }
    out += text.sliced(start);
    out += ')';
}

// A text string as UTF-16 with its byte order mark, for the document's title.
QByteArray unicodeString(const QString &text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

// ---- pages ----

// The drawing operators of one page, in the order the painter paints the items.
class PageContent
{
public:
    // The painter's origin is the top-left corner of the margins, which Qt
    // rounds to whole points.
    PageContent(std::array<std::unique_ptr<FaceMetrics>, 4> &faces, const QPageLayout &layout)
        : m_faces(faces), m_left(layout.paintRectPoints().left()),
          m_top(layout.fullRectPoints().height() - layout.paintRectPoints().top())
    {
        // The painter's pen: square caps, bevelled joins.
        m_out += "2 J 2 j\n";
    }

    void text(const ReportItem &item, qreal bandTop);
    void line(const ReportItem &item, qreal bandTop);
    void rect(const ReportItem &item, qreal bandTop);
    QByteArray finish()
    {
        endText();
        return std::move(m_out);
    }

    // The faces the page's texts used.
    std::array<bool, 4> used{};

private:
    // From pixels below the top-left corner of the margins to points on the page.
    double x(qreal px) const { return m_left + px * PointsPerPixel; }
    double y(qreal px) const { return m_top - px * PointsPerPixel; }

    void beginText()
    {
        if (!m_inText) {
            m_out += "BT\n";
            m_inText = true;
            m_textX = m_textY = 0;
        }
    }
    void endText()
    {
        if (m_inText) {
            m_out += "ET\n";
            m_inText = false;
        }
    }
    void setLineWidth(qreal penWidth)
    {
        const qint64 w = hundredths(qMax(penWidth * PointsPerPixel, ThinnestLine));
        if (w != m_lineWidth) {
            appendHundredths(m_out, w);
            m_out += " w\n";
            m_lineWidth = w;
        }
    }

    std::array<std::unique_ptr<FaceMetrics>, 4> &m_faces;
    double m_left;
    double m_top;
    QByteArray m_out;
    QByteArray m_encoded;
    bool m_inText = false;
    qint64 m_textX = 0, m_textY = 0;   // start of the current text line, hundredths
    int m_face = -1;
    qint64 m_fontSize = -1;            // hundredths
    qint64 m_lineWidth = -1;           // hundredths
};

void PageContent::text(const ReportItem &item, qreal bandTop)
{
    const int faceIndex = faceOf(item.font);
    if (!m_faces[faceIndex])
        m_faces[faceIndex] = std::make_unique<FaceMetrics>(item.font);
    FaceMetrics &face = *m_faces[faceIndex];
    used[faceIndex] = true;
    encode(item.text, m_encoded);
    const uchar *codes = reinterpret_cast<const uchar *>(m_encoded.constData());
    const qsizetype count = m_encoded.size();
    const bool kerning = item.font.kerning();

    // Blanks at either end count in the width, as they do for the painter.
    qint64 width = 0;
    for (qsizetype i = 0; i < count; ++i) {
        width += face.advance[codes[i]];
        if (kerning && i > 0)
            width += face.kerning(codes[i - 1], codes[i]);
    }

    // Placed as QPainter::drawText places one line in its rectangle.
    const double size = item.font.pointSizeF();
    const double em = size / 1000;
    const double textWidth = width * em;
    const double lineHeight = (face.ascent + face.descent) * em;
    const double boxWidth = item.rect.width() * PointsPerPixel;
    const double boxHeight = item.rect.height() * PointsPerPixel;
    double dx = 0;
    if (item.alignment & Qt::AlignRight)
        dx = boxWidth - textWidth;
    else if (item.alignment & Qt::AlignHCenter)
        dx = (boxWidth - textWidth) / 2;
    double dy = 0;
    if (item.alignment & Qt::AlignBottom)
        dy = boxHeight - lineHeight;
    else if (item.alignment & Qt::AlignVCenter)
        dy = (boxHeight - lineHeight) / 2;
    const double left = x(item.rect.x());
    const double top = y(bandTop + item.rect.y());

    // Like the painter, cut a text that overflows its box.
    constexpr double slack = 0.01;
    const bool clip = textWidth > boxWidth + slack || lineHeight > boxHeight + slack;
    const int savedFace = m_face;
    const qint64 savedSize = m_fontSize;
    if (clip) {
        endText();
        m_out += "q ";
        appendPoints(m_out, left);
        m_out += ' ';
        appendPoints(m_out, top - boxHeight);
        m_out += ' ';
        appendPoints(m_out, boxWidth);
        m_out += ' ';
        appendPoints(m_out, boxHeight);
        m_out += " re W n\n";
    }

    beginText();
    const qint64 fontSize = hundredths(size);
    if (faceIndex != m_face || fontSize != m_fontSize) {
        m_out += "/F";
        appendInt(m_out, faceIndex + 1);
        m_out += ' ';
        appendHundredths(m_out, fontSize);
        m_out += " Tf\n";
        m_face = faceIndex;
        m_fontSize = fontSize;
    }
    const qint64 tx = hundredths(left + dx);
    const qint64 ty = hundredths(top - dy - face.ascent * em);
    appendHundredths(m_out, tx - m_textX);
    m_out += ' ';
    appendHundredths(m_out, ty - m_textY);
    m_out += " Td\n";
    m_textX = tx;
    m_textY = ty;

    // Kerned pairs go out as adjustments between pieces of the string.
    qsizetype piece = 0;
    bool array = false;
    for (qsizetype i = 1; kerning && i < count; ++i) {
        const int k = face.kerning(codes[i - 1], codes[i]);
        if (!k)
            continue;
        if (!array) {
            m_out += '[';
            array = true;
        }
        appendString(m_out, QByteArrayView(m_encoded).sliced(piece, i - piece));
        m_out += ' ';
        appendInt(m_out, -k);
        piece = i;
    }
    appendString(m_out, QByteArrayView(m_encoded).sliced(piece));
    m_out += array ? "] TJ\n" : " Tj\n";

    if (clip) {
        endText();
        m_out += "Q\n";
        // The text state of the clipped text went with the restore.
        m_face = savedFace;
        m_fontSize = savedSize;
    }
}

void PageContent::line(const ReportItem &item, qreal bandTop)
{
    endText();
    setLineWidth(item.penWidth);
    const QRectF &r = item.rect;
    appendPoints(m_out, x(r.left()));
    m_out += ' ';
    appendPoints(m_out, y(bandTop + r.top()));
    m_out += " m ";
    appendPoints(m_out, x(r.right()));
    m_out += ' ';
    appendPoints(m_out, y(bandTop + r.bottom()));
    m_out += " l S\n";
}

void PageContent::rect(const ReportItem &item, qreal bandTop)
{
    endText();
    setLineWidth(item.penWidth);
    const QRectF &r = item.rect;
    appendPoints(m_out, x(r.left()));
    m_out += ' ';
    appendPoints(m_out, y(bandTop + r.bottom()));
    m_out += ' ';
    appendPoints(m_out, r.width() * PointsPerPixel);
    m_out += ' ';
    appendPoints(m_out, r.height() * PointsPerPixel);
    m_out += item.filled ? " re B\n" : " re S\n";
}

// ---- file ----

// Objects numbered as they are reserved, written in any order, with the
// cross-reference table at the end.
class PdfFile
{
public:
    PdfFile() { m_data = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

    int reserve()
    {
        m_offsets.append(-1);
        return int(m_offsets.size());
    }
    void object(int number, const QByteArray &body)
    {
        begin(number);
        m_data += body;
        m_data += "\nendobj\n";
    }
    void stream(int number, const QByteArray &content)
    {
        // zlib data behind qCompress's four bytes of length: what FlateDecode reads.
        const QByteArray packed = qCompress(content, 1);
        const qsizetype length = packed.size() - 4;
        begin(number);
        m_data += "<< /Length ";
        appendInt(m_data, length);
        m_data += " /Filter /FlateDecode >>\nstream\n";
        m_data.append(packed.constData() + 4, length);
        m_data += "\nendstream\nendobj\n";
    }
    QByteArray finish(int catalog, int info)
    {
        const qsizetype xref = m_data.size();
        m_data += "xref\n0 ";
        appendInt(m_data, m_offsets.size() + 1);
        m_data += "\n0000000000 65535 f \n";
        for (const qint64 offset : m_offsets)
            m_data += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
        m_data += "trailer\n<< /Size ";
        appendInt(m_data, m_offsets.size() + 1);
        m_data += " /Root " + ref(catalog) + " /Info " + ref(info) + " >>\nstartxref\n";
        appendInt(m_data, xref);
        m_data += "\n%%EOF\n";
        return std::move(m_data);
    }

    static QByteArray ref(int number) { return QByteArray::number(number) + " 0 R"; }

private:
    void begin(int number)
    {
        m_offsets[number - 1] = m_data.size();
        appendInt(m_data, number);
        m_data += " 0 obj\n";
    }

    QByteArray m_data;
    QList<qint64> m_offsets;
};

QByteArray fontObject(int face, const FaceMetrics &metrics)
{
    QByteArray widths;
    for (int code = FaceMetrics::FirstCode; code < 256; ++code) {
        appendInt(widths, metrics.advance[code]);
        widths += code % 16 == 15 ? '\n' : ' ';
    }
    return "<< /Type /Font /Subtype /Type1 /BaseFont /" + QByteArray(BaseFonts[face])
           + " /Encoding /WinAnsiEncoding /FirstChar " + QByteArray::number(FaceMetrics::FirstCode)
           + " /LastChar 255\n/Widths [" + widths.trimmed() + "] >>";
}

} // namespace

bool supports(const ReportDocument &doc)
{
    FontCheck fonts;
    QByteArray encoded;
    for (const ReportPage &page : doc.pages) {
        for (const PlacedBand &band : page.bands) {
            for (const ReportItem &item : band.items) {
                if (!item.visible)
                    continue;
                switch (item.kind) {
                case ReportItem::Kind::Text:
                    if (!item.text.isEmpty() && (!fonts.accepts(item.font) || !encode(item.text, encoded)))
                        return false;
                    break;
                case ReportItem::Kind::Line:
                case ReportItem::Kind::Rect:
                    break;
                case ReportItem::Kind::Paint:
                    return false;
                }
            }
        }
    }
    return true;
}

bool write(const ReportDocument &doc, const QString &path)
{
    const QPageLayout layout = doc.page.pageLayout();
    const QRect paper = layout.fullRectPoints();

    PdfFile pdf;
    const int catalog = pdf.reserve();
    const int pageTree = pdf.reserve();
    const int resources = pdf.reserve();
    const int info = pdf.reserve();

    std::array<std::unique_ptr<FaceMetrics>, 4> faces;
    std::array<bool, 4> used{};
    QByteArray kids;
    // An empty document still gets its one blank page, as the painter gives it.
    const int pageCount = qMax(1, doc.pageCount());
    for (int p = 0; p < pageCount; ++p) {
        PageContent content(faces, layout);
        if (p < doc.pageCount()) {
            for (const PlacedBand &band : doc.pages.at(p).bands) {
                for (const ReportItem &item : band.items) {
                    if (!item.visible)
                        continue;
                    switch (item.kind) {
                    case ReportItem::Kind::Text:
                        if (!item.text.isEmpty())
                            content.text(item, band.top);
                        break;
                    case ReportItem::Kind::Line: content.line(item, band.top); break;
                    case ReportItem::Kind::Rect: content.rect(item, band.top); break;
                    case ReportItem::Kind::Paint: break; // never here: supports() sent it to QPdfWriter
                    }
                }
            }
        }
        for (int f = 0; f < 4; ++f)
            used[f] = used[f] || content.used[f];
        const int pageObject = pdf.reserve();
        const int contentObject = pdf.reserve();
        pdf.stream(contentObject, content.finish());
        pdf.object(pageObject, "<< /Type /Page /Parent " + PdfFile::ref(pageTree) + " /MediaBox [0 0 "
                                   + QByteArray::number(paper.width()) + ' ' + QByteArray::number(paper.height())
                                   + "] /Resources " + PdfFile::ref(resources) + " /Contents "
                                   + PdfFile::ref(contentObject) + " >>");
        kids += PdfFile::ref(pageObject) + (p % 8 == 7 ? '\n' : ' ');
    }

    QByteArray fontRefs;
    for (int f = 0; f < 4; ++f) {
        if (!used[f])
            continue;
        const int font = pdf.reserve();
        pdf.object(font, fontObject(f, *faces[f]));
        fontRefs += " /F" + QByteArray::number(f + 1) + ' ' + PdfFile::ref(font);
    }
    pdf.object(resources, "<< /ProcSet [/PDF /Text] /Font <<" + fontRefs + " >> >>");
    pdf.object(pageTree, "<< /Type /Pages /Count " + QByteArray::number(pageCount) + " /Kids [" + kids.trimmed() + "] >>");
    pdf.object(catalog, "<< /Type /Catalog /Pages " + PdfFile::ref(pageTree) + " >>");
    pdf.object(info, "<< /Title " + unicodeString(doc.caption) + " /Creator (Tamblo) /Producer (Tamblo)"
                         + " /CreationDate (D:" + Clock::now().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1()
                         + ") >>");

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(pdf.finish(catalog, info));
    return file.commit();
}

} // namespace PlainPdf
