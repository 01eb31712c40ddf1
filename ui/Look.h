#pragma once

#include <QColor>
#include <QLabel>

class QApplication;
class QWidget;

namespace Look {

inline const QColor Face(199, 208, 217);      // every window's background
inline const QColor BandDark(79, 79, 79);      // title band of administrative windows
inline const QColor BarBlue(0, 116, 156);      // main toolbar, status bar, login band

// The light slate theme, applied before the first window shows.
void applyStyle(QApplication &app);
// Centred, on the face colour.
void setFace(QWidget *window);
// Fills the screen, also where no window manager honours "maximised".
void maximize(QWidget *window);

} // namespace Look

// White bold text on a coloured strip across the top of a window.
class TitleBand : public QLabel
{
    Q_OBJECT
public:
    TitleBand(const QString &text, const QColor &colour, QWidget *parent, int pixelSize = 16);
};
