#include "app/AccessPictures.h"

#include "ui/Look.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawCrate(QPainter &p, const QRectF &box)
{
    QLinearGradient wood(box.topLeft(), box.bottomLeft());
    wood.setColorAt(0, QColor(222, 176, 112));
    wood.setColorAt(1, QColor(176, 124, 64));
    p.setPen(QPen(QColor(110, 72, 30), 1.5));
    p.setBrush(wood);
    p.drawRect(box);
    // The slats and the diagonal brace of a shipping crate.
    const qreal inset = box.width() * 0.12;
    p.drawLine(QPointF(box.left() + inset, box.top()), QPointF(box.left() + inset, box.bottom()));
    p.drawLine(QPointF(box.right() - inset, box.top()), QPointF(box.right() - inset, box.bottom()));
    p.drawLine(QPointF(box.left() + inset, box.bottom()), QPointF(box.right() - inset, box.top()));
}

} // namespace

QPixmap padlockPicture(int side)
{
    QPixmap pixmap = blank(side, side);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;

    // Shackle.
    QPen shackle(QColor(120, 128, 138), s * 0.11, Qt::SolidLine, Qt::FlatCap);
    p.setPen(shackle);
    p.setBrush(Qt::NoBrush);
    const QRectF arc(s * 0.28, s * 0.08, s * 0.44, s * 0.50);
    p.drawArc(arc, 0, 180 * 16);
    p.drawLine(QPointF(arc.left(), arc.center().y()), QPointF(arc.left(), s * 0.48));
    p.drawLine(QPointF(arc.right(), arc.center().y()), QPointF(arc.right(), s * 0.48));

    // Body.
    const QRectF body(s * 0.16, s * 0.44, s * 0.68, s * 0.50);
    QLinearGradient brass(body.topLeft(), body.bottomLeft());
    brass.setColorAt(0, QColor(250, 214, 96));
    brass.setColorAt(1, QColor(196, 148, 30));
    p.setPen(QPen(QColor(140, 100, 20), s * 0.025));
    p.setBrush(brass);
    p.drawRoundedRect(body, s * 0.07, s * 0.07);

    // Keyhole.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 44, 10));
    const QPointF hole(s * 0.5, s * 0.63);
    p.drawEllipse(hole, s * 0.06, s * 0.06);
    QPainterPath slot;
    slot.moveTo(hole + QPointF(-s * 0.035, 0));
    slot.lineTo(hole + QPointF(s * 0.035, 0));
    slot.lineTo(hole + QPointF(s * 0.05, s * 0.18));
    slot.lineTo(hole + QPointF(-s * 0.05, s * 0.18));
    slot.closeSubpath();
    p.drawPath(slot);
    return pixmap;
}

QPixmap cratesPicture(int width, int height)
{
    QPixmap pixmap = blank(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = width, h = height;
    const qreal crate = qMin(w / 2.2, h / 2.1);
    const qreal floor = h - 2;
    const qreal left = (w - 2 * crate) / 2;
    drawCrate(p, QRectF(left, floor - crate, crate, crate));
    drawCrate(p, QRectF(left + crate, floor - crate, crate, crate));
    drawCrate(p, QRectF(left + crate / 2, floor - 2 * crate, crate, crate));
    // A band in the toolbar's blue, so the picture belongs to the program.
    p.setPen(Qt::NoPen);
    p.setBrush(Look::BarBlue);
    p.drawRect(QRectF(0, floor, w, 2));
    return pixmap;
}

QPixmap helpPicture(int side)
{
    QPixmap pixmap = blank(side, side);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    p.setPen(Qt::NoPen);
    p.setBrush(Look::BarBlue);
    p.drawEllipse(QRectF(s * 0.05, s * 0.05, s * 0.9, s * 0.9));
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(qMax(6, int(s * 0.7)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}
