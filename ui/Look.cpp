#include "ui/Look.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QStyleFactory>

namespace Look {

void applyStyle(QApplication &app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    const QColor slate(0x5f, 0x73, 0x87);
    p.setColor(QPalette::Window, Face);
    p.setColor(QPalette::WindowText, QColor(0x1e, 0x24, 0x2b));
    p.setColor(QPalette::Base, QColor(0xfb, 0xfc, 0xfd));
    p.setColor(QPalette::AlternateBase, QColor(0xe6, 0xeb, 0xf0));
    p.setColor(QPalette::Text, QColor(0x1e, 0x24, 0x2b));
    p.setColor(QPalette::Button, QColor(0xdd, 0xe3, 0xe9));
    p.setColor(QPalette::ButtonText, QColor(0x1e, 0x24, 0x2b));
    p.setColor(QPalette::Highlight, slate);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xe1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x88, 0x90));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x88, 0x90));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x88, 0x90));
    app.setPalette(p);
}

void setFace(QWidget *window)
{
    QPalette p = window->palette();
    p.setColor(QPalette::Window, Face);
    window->setPalette(p);
    window->setAutoFillBackground(true);
}

void maximize(QWidget *window)
{
    if (QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        window->setGeometry(screen->availableGeometry());
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

} // namespace Look

TitleBand::TitleBand(const QString &text, const QColor &colour, QWidget *parent, int pixelSize)
    : QLabel(text, parent)
{
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(pixelSize);
    setFont(f);
    setMinimumHeight(pixelSize * 2);
}
