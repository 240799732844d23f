// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon: a yellow Q with a quill on the screens' blue. One drawing at every size a
// desktop asks for: the recipe's "size" gives NAME itself, its "sizes" the copies a package installs
// as hicolor/NxN/apps/NAME.
#include "generators.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <stdexcept>

namespace {

QImage drawIcon(int side)
{
    const double s = side;
    QImage img(side, side, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(39, 63, 137));
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.18, s * 0.18);

    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(int(s * 0.78));
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(255, 255, 0));
    p.drawText(QRectF(0, -s * 0.04, s, s), Qt::AlignCenter, QStringLiteral("Q"));

    // A white quill across the letter.
    QPainterPath quill;
    quill.moveTo(s * 0.80, s * 0.14);
    quill.cubicTo(s * 0.62, s * 0.22, s * 0.46, s * 0.44, s * 0.38, s * 0.70);
    quill.cubicTo(s * 0.52, s * 0.52, s * 0.70, s * 0.36, s * 0.80, s * 0.14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 255));
    p.drawPath(quill);
    p.setPen(QPen(QColor(250, 250, 255), s * 0.02, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.38, s * 0.70), QPointF(s * 0.32, s * 0.82));
    p.end();
    return img;
}

void save(const QImage &img, const QString &out)
{
    QDir().mkpath(QFileInfo(out).absolutePath());
    if (!img.save(out, "PNG"))
        throw std::runtime_error("cannot write " + out.toStdString());
}

}  // namespace

void makeIcon(const Recipe &r, const QString &out)
{
    save(drawIcon(r.size(QStringLiteral("size")).width()), out);
    const QFileInfo target(out);
    const QStringList sizes = r.text(QStringLiteral("sizes")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : sizes) {
        bool ok = false;
        const int side = word.toInt(&ok);
        if (!ok || side < 8 || side > 1024)
            throw std::runtime_error("bad icon size " + word.toStdString());
        const QString folder = QStringLiteral("hicolor/%1x%1/apps/").arg(side);
        save(drawIcon(side), target.dir().filePath(folder + target.fileName()));
    }
}
