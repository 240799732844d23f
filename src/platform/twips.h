#pragma once
// Screen geometry is designed in twips (1/1440 inch) and fonts in points. This is the one place
// where both become pixels: 15 twips per pixel, and points at 96 dpi whatever the system reports,
// so every caption fits the label it was designed for.
#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

namespace twips {

inline constexpr double perPixel = 15.0;

int toPx(double tw);
double fromPx(int px);
QRect rect(double left, double top, double width, double height);

// Place a widget at a designed position, all four values in twips.
void place(QWidget *w, double left, double top, double width, double height);

// Pixel size of a point size at 96 dpi (1 pt = 4/3 px), rounded to whole pixels as Qt does.
int pointsToPx(double pt);
QFont font(const QString &family, double pt, bool bold = false, bool italic = false);

}  // namespace twips
