#include "app/ToolbarButton.h"

#include <QPainter>
#include <QPainterPath>

namespace {

void box(QPainter &p, QRectF r)
{
    p.drawRect(r);
    p.drawLine(r.topLeft(), r.bottomRight());
}

void arrow(QPainter &p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y()) * 7;
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d + n * 0.6);
    p.drawLine(to, to - d - n * 0.6);
}

} // namespace

QPixmap toolbarPicture(int index, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (index) {
    case 0: // products: a box with its label
        p.drawRect(QRectF(8, 14, 32, 26));
        p.drawLine(QPointF(8, 22), QPointF(40, 22));
        p.drawRect(QRectF(18, 28, 12, 6));
        break;
    case 1: // stock movements: in and out
        arrow(p, QPointF(6, 17), QPointF(40, 17));
        arrow(p, QPointF(42, 31), QPointF(8, 31));
        break;
    case 2: // composition: three boxes stacked
        box(p, QRectF(6, 26, 16, 16));
        box(p, QRectF(26, 26, 16, 16));
        box(p, QRectF(16, 8, 16, 16));
        break;
    case 3: // purchase orders: a clipboard
        p.drawRoundedRect(QRectF(10, 8, 28, 34), 3, 3);
        p.drawRect(QRectF(18, 5, 12, 6));
        for (int y = 20; y <= 34; y += 7)
            p.drawLine(QPointF(16, y), QPointF(32, y));
        break;
    case 4: // stock report: bars
        p.drawLine(QPointF(6, 42), QPointF(42, 42));
        p.drawRect(QRectF(10, 26, 6, 16));
        p.drawRect(QRectF(21, 14, 6, 28));
        p.drawRect(QRectF(32, 20, 6, 22));
        break;
    case 5: { // movement card: a sheet with its lines
        QPainterPath sheet;
        sheet.moveTo(12, 6);
        sheet.lineTo(30, 6);
        sheet.lineTo(38, 14);
        sheet.lineTo(38, 42);
        sheet.lineTo(12, 42);
        sheet.closeSubpath();
        p.drawPath(sheet);
        for (int y = 18; y <= 36; y += 6)
            p.drawLine(QPointF(17, y), QPointF(33, y));
        break;
    }
    default: // leave: a door and the way out
        p.drawRect(QRectF(8, 6, 20, 36));
        arrow(p, QPointF(22, 24), QPointF(44, 24));
        break;
    }
    return pixmap;
}

ToolbarButton::ToolbarButton(const QString &caption, int picture, QWidget *parent)
    : QToolButton(parent), m_picture(toolbarPicture(picture, 44))
{
    setText(caption);
    setToolTip(caption);
    setAutoRaise(true);
    setFixedSize(105, 92);
    setCursor(Qt::PointingHandCursor);
}

void ToolbarButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (underMouse() || isDown())
        p.fillRect(rect(), QColor(255, 255, 255, isDown() ? 70 : 40));
    p.drawPixmap((width() - m_picture.width()) / 2, 6, m_picture);
    p.setPen(Qt::white);
    p.setFont(font());
    p.drawText(QRect(2, 54, width() - 4, height() - 56), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               text());
}
