// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Playing a parsed metafile: the device context of the records (window, pens, brushes, fonts,
// palettes, clipping, saved states) turned into drawing on an Output. The painter output draws on
// any QPainter, so the screen is sharp at any scale and a printer receives vectors; tests record.
#include "formats/wmf/wmf.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <vector>

namespace wmf {

// Everything a played metafile draws, in the target's coordinates.
class Output {
public:
    virtual ~Output() = default;
    // nullptr: no clipping
    virtual void setClip(const QPainterPath *clip) = 0;
    virtual void drawPath(const QPainterPath &path, const QPen &pen, const QBrush &brush) = 0;
    // Text starting at a point on its baseline, turned by angle degrees anticlockwise; advances,
    // when given, place each character.
    virtual void drawText(const QPointF &origin, double angle, const QFont &font, const QColor &colour, const QString &text,
                          const std::vector<double> &advances) = 0;
    virtual void drawImage(const QRectF &target, const QImage &image, QPainter::CompositionMode mode) = 0;
};

class PainterOutput : public Output {
public:
    explicit PainterOutput(QPainter &p) : p_(p) {}
    void setClip(const QPainterPath *clip) override;
    void drawPath(const QPainterPath &path, const QPen &pen, const QBrush &brush) override;
    void drawText(const QPointF &origin, double angle, const QFont &font, const QColor &colour, const QString &text,
                  const std::vector<double> &advances) override;
    void drawImage(const QRectF &target, const QImage &image, QPainter::CompositionMode mode) override;

private:
    QPainter &p_;
};

// Plays every record onto the output, fitting the picture's frame to target. Records that are
// malformed or name objects that do not exist are skipped; drawing stays within fixed bounds of
// memory whatever the file says.
void play(const Metafile &m, Output &out, const QRectF &target);

// Draws onto a painter, within the painter's current state.
void paint(const Metafile &m, QPainter &p, const QRectF &target);

// The picture at a given width (its own aspect) or at its own size at 96 dpi, on a background.
QImage render(const Metafile &m, int width = 0, const QColor &background = Qt::white);

// Text of a metafile string in the given character set (SYMBOL fonts map to Unicode symbols).
QString decodeText(const QByteArray &bytes, int charset);

}  // namespace wmf
