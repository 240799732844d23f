// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes placeable metafiles in twips (1440 units an inch): text in a named font, lines,
// rectangles, filled polygons and ellipses, and 24-bit bitmaps. Used to make the program's pages.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QString>

namespace wmf {

struct TextStyle {
    QString family = QStringLiteral("Times New Roman");
    double points = 12;
    bool bold = false;
    bool italic = false;
    QColor colour = Qt::black;
    Qt::Alignment align = Qt::AlignLeft;  // left, centre or right of x; y is the baseline
};

class Writer {
public:
    Writer(int widthTwips, int heightTwips);

    void text(int x, int y, const QString &text, const TextStyle &style);
    void line(QPoint from, QPoint to, const QColor &colour, int widthTwips);
    void polyline(const QPolygon &points, const QColor &colour, int widthTwips);
    // An invalid fill colour leaves the shape unfilled; an invalid line colour unoutlined.
    void rectangle(const QRect &r, const QColor &fill, const QColor &line = QColor(), int lineWidth = 0);
    void polygon(const QPolygon &points, const QColor &fill, const QColor &line = QColor(), int lineWidth = 0);
    void ellipse(const QRect &r, const QColor &fill, const QColor &line = QColor(), int lineWidth = 0);
    void image(const QRect &r, const QImage &image);

    QByteArray finish();
    bool save(const QString &path);

private:
    void record(quint16 function, const QByteArray &params);
    void words(quint16 function, std::initializer_list<int> values);
    void withTools(const QColor &fill, const QColor &line, int lineWidth, quint16 function, const QByteArray &params);
    void useFont(const TextStyle &style);

    QByteArray body_;
    int width_, height_;
    quint32 maxRecord_ = 0;
    int fontSlot_ = -1;
    QString fontKey_;
    int textAlign_ = -1;
    QColor textColour_;
    int maxObjects_ = 0;
};

}  // namespace wmf
