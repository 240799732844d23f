// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Screen geometry is designed in twips (1/1440 inch) and fonts in points. This is the one place
// where both become pixels: 15 twips per pixel times the stage's scale factor, and points at 96 dpi
// whatever the system reports (times the same factor), so every caption fits the label it was
// designed for at any size.
#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

namespace twips {

// Twips per pixel at factor 1 ("actual size").
inline constexpr double perPixel = 15.0;

// The factor every conversion below applies; 1 until the stage chooses another.
double factor();
void setFactor(double f);

int toPx(double tw);
double fromPx(double px);
QRect rect(double left, double top, double width, double height);

// Place a widget at a designed position, all four values in twips. The widget remembers them, so
// rescale() can place it again exactly at another factor.
void place(QWidget *w, double left, double top, double width, double height);

// Pixel size of a point size at 96 dpi (1 pt = 4/3 px) rounded to whole pixels as Qt does, then
// times the factor.
int pointsToPx(double pt);
QFont font(const QString &family, double pt, bool bold = false, bool italic = false);

// A font drawn at the factor, as it is at actual size: for measuring what goes to the printer.
QFont atActualSize(QFont f);

// A line's width: so many pixels at actual size, at least one at any factor.
int penPx(int pixelsAtActualSize);

// Re-applies the geometry and own fonts of root's descendants (not root itself) after the factor
// went from `from` to factor(): from the twips they were placed at, else from their pixels at `from`.
void rescale(QWidget *root, double from);

}  // namespace twips
