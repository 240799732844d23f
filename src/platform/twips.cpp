#include "platform/twips.h"

#include <QWidget>
#include <cmath>

namespace twips {

int toPx(double tw) { return static_cast<int>(std::lround(tw / perPixel)); }

double fromPx(int px) { return px * perPixel; }

QRect rect(double left, double top, double width, double height)
{
    return QRect(toPx(left), toPx(top), toPx(width), toPx(height));
}

void place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(rect(left, top, width, height));
}

int pointsToPx(double pt) { return static_cast<int>(std::lround(pt * 96.0 / 72.0)); }

QFont font(const QString &family, double pt, bool bold, bool italic)
{
    QFont f(family);
    f.setPixelSize(pointsToPx(pt));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

}  // namespace twips
