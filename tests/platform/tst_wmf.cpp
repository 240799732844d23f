// Our metafile layer: each record family read and played, hostile files handled within bounds,
// the writer read back by our reader.
#include "platform/wmf/dib.h"
#include "platform/wmf/wmfwriter.h"
#include "support/wmfbuilder.h"

#include <QElapsedTimer>
#include <QTest>

using namespace wmf;

namespace {

constexpr int kSaveDC = SAVEDC;

QByteArray colourWords(QColor c)
{
    QByteArray b;
    WmfBuilder::put32(b, quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16);
    return b;
}

// A BITMAPINFOHEADER DIB of w x h with the given bit count and compression, its table and bits.
QByteArray dib(int w, int h, int bpp, int compression, const QByteArray &table, const QByteArray &bits, int used = 0)
{
    QByteArray d;
    WmfBuilder::put32(d, 40);
    WmfBuilder::put32(d, quint32(w));
    WmfBuilder::put32(d, quint32(h));
    WmfBuilder::put16(d, 1);
    WmfBuilder::put16(d, bpp);
    WmfBuilder::put32(d, quint32(compression));
    WmfBuilder::put32(d, quint32(bits.size()));
    WmfBuilder::put32(d, 0);
    WmfBuilder::put32(d, 0);
    WmfBuilder::put32(d, quint32(used));
    WmfBuilder::put32(d, 0);
    return d + table + bits;
}

QByteArray bgr0(std::initializer_list<QRgb> colours)
{
    QByteArray t;
    for (QRgb c : colours) {
        t.append(char(qBlue(c)));
        t.append(char(qGreen(c)));
        t.append(char(qRed(c)));
        t.append('\0');
    }
    return t;
}

QByteArray stretchDib(int x, int y, int w, int h, const QByteArray &bitmap, int srcW, int srcH)
{
    QByteArray p;
    WmfBuilder::put32(p, 0x00CC0020);
    WmfBuilder::put16(p, 0);
    WmfBuilder::put16(p, srcH);
    WmfBuilder::put16(p, srcW);
    WmfBuilder::put16(p, 0);
    WmfBuilder::put16(p, 0);
    WmfBuilder::put16(p, h);
    WmfBuilder::put16(p, w);
    WmfBuilder::put16(p, y);
    WmfBuilder::put16(p, x);
    return p + bitmap;
}

QByteArray font(int height, int weight = 400, bool italic = false, bool underline = false, bool strike = false, int charset = 0,
                int escapement = 0, const QByteArray &face = "Arial")
{
    QByteArray f;
    WmfBuilder::put16(f, height);
    WmfBuilder::put16(f, 0);
    WmfBuilder::put16(f, escapement);
    WmfBuilder::put16(f, 0);
    WmfBuilder::put16(f, weight);
    WmfBuilder::put16(f, (italic ? 1 : 0) | (underline ? 1 : 0) << 8);
    WmfBuilder::put16(f, (strike ? 1 : 0) | charset << 8);
    WmfBuilder::put16(f, 0);
    WmfBuilder::put16(f, 0);
    QByteArray name = face.left(31);
    name.append(QByteArray(32 - name.size(), '\0'));
    return f + name;
}

// Window 0..1000 both ways onto a 100 x 100 target: ten units a pixel.
WmfBuilder tenToOne()
{
    WmfBuilder b(QRect(0, 0, 1000, 1000));
    b.rec(SETWINDOWORG, {0, 0}).rec(SETWINDOWEXT, {1000, 1000});
    return b;
}

QRectF pathBox(const RecordingOutput &o, std::size_t i = 0)
{
    const auto paths = o.of(Drawn::Path);
    return i < paths.size() ? paths[i].box : QRectF();
}

}  // namespace

class TestWmf : public QObject {
    Q_OBJECT
private slots:
    void headers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSizeF>("inches");
        QTest::newRow("placeable, 1440 a inch") << WmfBuilder(QRect(0, 0, 2880, 1440)).bytes() << QSizeF(2, 1);
        QTest::newRow("placeable, 576 a inch") << WmfBuilder(QRect(100, 100, 576, 288), 576).bytes() << QSizeF(1, 0.5);
        QTest::newRow("plain, window in twips")
            << WmfBuilder(QRect(), 0, false).rec(SETWINDOWORG, {0, 0}).rec(SETWINDOWEXT, {720, 1440}).bytes() << QSizeF(1, 0.5);
        QTest::newRow("plain, drawn in pixels")
            << WmfBuilder(QRect(), 0, false).rec(RECTANGLE, {47, 191, 0, 0}).bytes() << QSizeF(2, 0.5);
    }
    void headers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSizeF, inches);
        const auto m = parse(bytes);
        QVERIFY(m);
        QVERIFY(std::abs(m->sizeInches().width() - inches.width()) < 0.02);
        QVERIFY(std::abs(m->sizeInches().height() - inches.height()) < 0.02);
    }

    void mapping_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QRectF>("box");  // where RECTANGLE(200,200)-(600,400) lands on 100 x 100
        QTest::newRow("window is the frame") << tenToOne().rec(RECTANGLE, {400, 600, 200, 200}).bytes() << QRectF(20, 20, 40, 20);
        QTest::newRow("window origin moves") << tenToOne().rec(SETWINDOWORG, {100, 100}).rec(RECTANGLE, {400, 600, 200, 200}).bytes()
                                             << QRectF(10, 10, 40, 20);
        QTest::newRow("offset window origin") << tenToOne().rec(OFFSETWINDOWORG, {100, 100}).rec(RECTANGLE, {400, 600, 200, 200}).bytes()
                                              << QRectF(10, 10, 40, 20);
        QTest::newRow("y up") << tenToOne().rec(SETWINDOWORG, {1000, 0}).rec(SETWINDOWEXT, {-1000, 1000}).rec(RECTANGLE, {400, 600, 200, 200}).bytes()
                              << QRectF(20, 60, 40, 20);
        QTest::newRow("scale window extent") << tenToOne().rec(SCALEWINDOWEXT, {1, 2, 1, 2}).rec(RECTANGLE, {400, 600, 200, 200}).bytes()
                                             << QRectF(10, 10, 20, 10);
        QTest::newRow("isotropic keeps the aspect")
            << tenToOne().rec(SETMAPMODE, {7}).rec(SETWINDOWEXT, {1000, 2000}).rec(RECTANGLE, {400, 600, 200, 200}).bytes()
            << QRectF(10, 10, 20, 10);
        QTest::newRow("zero extent ignored") << tenToOne().rec(SETWINDOWEXT, {0, 500}).rec(RECTANGLE, {400, 600, 200, 200}).bytes()
                                             << QRectF(20, 20, 40, 20);
        QTest::newRow("zero denominator ignored") << tenToOne().rec(SCALEWINDOWEXT, {0, 2, 0, 2}).rec(RECTANGLE, {400, 600, 200, 200}).bytes()
                                                  << QRectF(20, 20, 40, 20);
    }
    void mapping()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QRectF, box);
        const QRectF got = pathBox(playRecorded(bytes));
        QVERIFY2(std::abs(got.left() - box.left()) < 0.01 && std::abs(got.top() - box.top()) < 0.01 && std::abs(got.width() - box.width()) < 0.01
                     && std::abs(got.height() - box.height()) < 0.01,
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(got.left()).arg(got.top()).arg(got.width()).arg(got.height())));
    }

    void shapes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("elements");  // of the path drawn (moves, lines, curves)
        QTest::addColumn<bool>("filled");
        QTest::newRow("line") << tenToOne().rec(MOVETO, {100, 100}).rec(LINETO, {500, 500}).bytes() << 2 << false;
        QTest::newRow("polyline") << tenToOne().rec(POLYLINE, {3, 0, 0, 100, 100, 200, 0}).bytes() << 3 << false;
        QTest::newRow("polygon") << tenToOne().rec(POLYGON, {3, 0, 0, 100, 100, 200, 0}).bytes() << 4 << true;
        QTest::newRow("polygon count past the data") << tenToOne().rec(POLYGON, {50, 0, 0, 100, 100, 200, 0}).bytes() << 4 << true;
        QTest::newRow("polypolygon") << tenToOne().rec(POLYPOLYGON, {2, 3, 3, 0, 0, 10, 0, 0, 10, 50, 50, 60, 50, 50, 60}).bytes() << 8 << true;
        QTest::newRow("ellipse") << tenToOne().rec(ELLIPSE, {400, 600, 200, 200}).bytes() << 13 << true;
        QTest::newRow("round rectangle") << tenToOne().rec(ROUNDRECT, {50, 50, 400, 600, 200, 200}).bytes() << 17 << true;
        QTest::newRow("arc") << tenToOne().rec(ARC, {500, 600, 500, 400, 600, 600, 400, 400}).bytes() << -1 << false;
        QTest::newRow("chord") << tenToOne().rec(CHORD, {500, 600, 500, 400, 600, 600, 400, 400}).bytes() << -1 << true;
        QTest::newRow("pie") << tenToOne().rec(PIE, {500, 600, 500, 400, 600, 600, 400, 400}).bytes() << -2 << true;
    }
    void shapes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, elements);
        QFETCH(bool, filled);
        const auto paths = playRecorded(bytes).of(Drawn::Path);
        QCOMPARE(paths.size(), std::size_t(1));
        if (elements >= 0)
            QCOMPARE(paths[0].path.elementCount(), elements);
        else  // curves: a pie starts from the centre, arcs and chords on the curve
            QCOMPARE(QPointF(paths[0].path.elementAt(0)) == QPointF(50, 50), elements == -2);
        QCOMPARE(paths[0].brush.style() != Qt::NoBrush, filled);
    }

    void arcRunsAnticlockwise()
    {
        // From the right-hand point to the top: a quarter, not three quarters.
        const auto o = playRecorded(tenToOne().rec(ARC, {400, 500, 500, 600, 600, 600, 400, 400}).bytes());
        const QRectF b = pathBox(o);
        QVERIFY(b.width() < 11 && b.height() < 11);
        QVERIFY(b.top() >= 39.9 && b.right() <= 60.1);
    }

    void pensAndBrushes()
    {
        WmfBuilder b = tenToOne();
        b.raw(CREATEPENINDIRECT, QByteArray::fromHex("0100") + QByteArray::fromHex("32000000") + colourWords(Qt::red))   // dashed, 50 wide
            .raw(CREATEBRUSHINDIRECT, QByteArray::fromHex("0200") + colourWords(Qt::blue) + QByteArray::fromHex("0400"))  // cross hatch
            .rec(SELECTOBJECT, {0})
            .rec(SELECTOBJECT, {1})
            .rec(SETBKMODE, {1})
            .rec(RECTANGLE, {400, 600, 200, 200})
            .raw(CREATEPENINDIRECT, QByteArray::fromHex("0500") + QByteArray::fromHex("00000000") + colourWords(Qt::black))  // null
            .raw(CREATEBRUSHINDIRECT, QByteArray::fromHex("0100") + colourWords(Qt::black) + QByteArray::fromHex("0000"))    // null
            .rec(SELECTOBJECT, {2})
            .rec(SELECTOBJECT, {3})
            .rec(ELLIPSE, {400, 600, 200, 200});
        const auto paths = playRecorded(b.bytes()).of(Drawn::Path);
        QCOMPARE(paths.size(), std::size_t(2));
        QCOMPARE(paths[0].pen.color(), QColor(Qt::red));
        QCOMPARE(paths[0].pen.style(), Qt::DashLine);
        QCOMPARE(paths[0].pen.widthF(), 5.0);
        QCOMPARE(paths[0].brush.style(), Qt::CrossPattern);
        QCOMPARE(paths[0].brush.color(), QColor(Qt::blue));
        QCOMPARE(paths[1].pen.style(), Qt::NoPen);
        QCOMPARE(paths[1].brush.style(), Qt::NoBrush);
    }

    void hatchOnOpaqueBackgroundFillsFirst()
    {
        WmfBuilder b = tenToOne();
        b.raw(CREATEBRUSHINDIRECT, QByteArray::fromHex("0200") + colourWords(Qt::blue) + QByteArray::fromHex("0000"))
            .rec(SELECTOBJECT, {0})
            .raw(SETBKCOLOR, colourWords(Qt::yellow))
            .rec(RECTANGLE, {400, 600, 200, 200});
        const auto paths = playRecorded(b.bytes()).of(Drawn::Path);
        QCOMPARE(paths.size(), std::size_t(2));
        QCOMPARE(paths[0].brush.color(), QColor(Qt::yellow));
        QCOMPARE(paths[1].brush.style(), Qt::HorPattern);
    }

    void objectsTakeTheLowestFreeSlot()
    {
        WmfBuilder b = tenToOne();
        for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)})
            b.raw(CREATEPENINDIRECT, QByteArray::fromHex("0000") + QByteArray::fromHex("00000000") + colourWords(c));
        b.rec(DELETEOBJECT, {1})
            .raw(CREATEPENINDIRECT, QByteArray::fromHex("0000") + QByteArray::fromHex("00000000") + colourWords(Qt::magenta))
            .rec(SELECTOBJECT, {1})
            .rec(RECTANGLE, {400, 600, 200, 200})
            .rec(SELECTOBJECT, {2})
            .rec(RECTANGLE, {400, 600, 200, 200})
            .rec(DELETEOBJECT, {2})
            .rec(SELECTOBJECT, {2})   // deleted: ignored
            .rec(SELECTOBJECT, {999}) // never made: ignored
            .rec(RECTANGLE, {400, 600, 200, 200});
        const auto paths = playRecorded(b.bytes()).of(Drawn::Path);
        QCOMPARE(paths.size(), std::size_t(3));
        QCOMPARE(paths[0].pen.color(), QColor(Qt::magenta));
        QCOMPARE(paths[1].pen.color(), QColor(Qt::blue));
        QCOMPARE(paths[2].pen.color(), QColor(Qt::blue));
    }

    void savedStates_data()
    {
        QTest::addColumn<int>("restore");
        QTest::addColumn<QColor>("after");
        QTest::newRow("relative one back") << -1 << QColor(Qt::green);
        QTest::newRow("relative two back") << -2 << QColor(Qt::red);
        QTest::newRow("absolute first") << 1 << QColor(Qt::red);
        QTest::newRow("absolute second") << 2 << QColor(Qt::green);
        QTest::newRow("too far back: nothing") << -3 << QColor(Qt::blue);
        QTest::newRow("zero: nothing") << 0 << QColor(Qt::blue);
    }
    void savedStates()
    {
        QFETCH(int, restore);
        QFETCH(QColor, after);
        WmfBuilder b = tenToOne();
        for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)})
            b.raw(CREATEPENINDIRECT, QByteArray::fromHex("0000") + QByteArray::fromHex("00000000") + colourWords(c));
        b.rec(SELECTOBJECT, {0}).rec(kSaveDC, {}).rec(SELECTOBJECT, {1}).rec(kSaveDC, {}).rec(SELECTOBJECT, {2});
        b.rec(RESTOREDC, {restore}).rec(RECTANGLE, {400, 600, 200, 200});
        QCOMPARE(playRecorded(b.bytes()).of(Drawn::Path)[0].pen.color(), after);
    }

    void deepSavesStayBounded()
    {
        WmfBuilder b = tenToOne();
        for (int i = 0; i < 5000; ++i)
            b.rec(kSaveDC, {});
        for (int i = 0; i < 6000; ++i)
            b.rec(RESTOREDC, {-1});
        b.rec(RESTOREDC, {30000}).rec(RECTANGLE, {400, 600, 200, 200});
        QCOMPARE(playRecorded(b.bytes()).of(Drawn::Path).size(), std::size_t(1));
    }

    void clipping()
    {
        WmfBuilder b = tenToOne();
        b.rec(kSaveDC, {})
            .rec(INTERSECTCLIPRECT, {500, 500, 100, 100})
            .rec(EXCLUDECLIPRECT, {300, 300, 200, 200})
            .rec(RESTOREDC, {-1});
        // A region of two rectangles, then selected as the clip, then cleared.
        QByteArray region;
        for (int w : {0, 6, 0, 0, 0, 2, 0, 0, 0, 100, 100})
            WmfBuilder::put16(region, w);
        for (int w : {2, 0, 50, 0, 40, 2, 2, 60, 100, 60, 100, 2})
            WmfBuilder::put16(region, w);
        b.raw(CREATEREGION, region).rec(SELECTCLIPREGION, {0}).rec(SELECTCLIPREGION, {77});
        const auto clips = playRecorded(b.bytes()).of(Drawn::Clip);
        QVERIFY(clips.size() >= 5);
        QCOMPARE(clips[0].box, QRectF(10, 10, 40, 40));
        QVERIFY(!clips[1].path.contains(QPointF(25, 25)));
        QVERIFY(clips[1].path.contains(QPointF(15, 15)));
        QVERIFY(clips[2].box.isEmpty());  // restored: no clip
        QVERIFY(clips[3].path.contains(QPointF(2, 2)) && clips[3].path.contains(QPointF(8, 8)) && !clips[3].path.contains(QPointF(5, 2)));
        QVERIFY(clips[4].box.isEmpty());
    }

    void text_data()
    {
        QTest::addColumn<int>("align");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("escapement");
        QTest::addColumn<int>("charset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("angle");
        QTest::newRow("left baseline") << 24 << -200 << 0 << 0 << QByteArray("Mars") << "Mars" << 0.0;
        QTest::newRow("centre top") << 6 << -200 << 0 << 0 << QByteArray("Mars") << "Mars" << 0.0;
        QTest::newRow("right bottom") << 10 << -200 << 0 << 0 << QByteArray("Mars") << "Mars" << 0.0;
        QTest::newRow("cell height") << 24 << 200 << 0 << 0 << QByteArray("Mars") << "Mars" << 0.0;
        QTest::newRow("turned") << 24 << -200 << 900 << 0 << QByteArray("up") << "up" << 90.0;
        QTest::newRow("1252") << 24 << -200 << 0 << 0 << QByteArray("25\xb0" "C") << "25°C" << 0.0;
        QTest::newRow("symbol") << 24 << -200 << 0 << 2 << QByteArray("abp\xb1") << "αβπ±" << 0.0;
    }
    void text()
    {
        QFETCH(int, align);
        QFETCH(int, height);
        QFETCH(int, escapement);
        QFETCH(int, charset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(double, angle);
        WmfBuilder b = tenToOne();
        b.raw(CREATEFONTINDIRECT, font(height, 700, true, true, false, charset, escapement))
            .rec(SELECTOBJECT, {0})
            .rec(SETTEXTALIGN, {align})
            .raw(SETTEXTCOLOR, colourWords(Qt::darkGreen))
            .rec(SETBKMODE, {1})
            .raw(TEXTOUT, WmfBuilder::textOut(500, 500, bytes));
        const auto texts = playRecorded(b.bytes()).of(Drawn::Text);
        QCOMPARE(texts.size(), std::size_t(1));
        const Drawn &t = texts[0];
        QCOMPARE(t.text, text);
        QCOMPARE(t.colour, QColor(Qt::darkGreen));
        QCOMPARE(t.angle, angle);
        QVERIFY(t.font.bold() && t.font.italic() && t.font.underline() && !t.font.strikeOut());
        const QFontMetricsF fm(t.font);
        if (height < 0)
            QCOMPARE(t.font.pixelSize(), 20);
        else
            QVERIFY(std::abs(fm.height() - 20) <= 1.5);
        if (angle != 0)
            return;
        const double width = fm.horizontalAdvance(text);
        const double x = (align & 6) == 6 ? 50 - width / 2 : (align & 6) == 2 ? 50 - width : 50;
        const double y = (align & 24) == 24 ? 50 : (align & 24) == 8 ? 50 - fm.descent() : 50 + fm.ascent();
        QVERIFY(std::abs(t.origin.x() - x) < 0.01);
        QVERIFY(std::abs(t.origin.y() - y) < 0.01);
    }

    void extTextOut()
    {
        WmfBuilder b = tenToOne();
        QByteArray p;
        for (int w : {500, 100, 3, 6, 100, 400, 300, 600})  // y, x, count, opaque|clipped, rect
            WmfBuilder::put16(p, w);
        p.append("Sun");
        p.append('\0');
        for (int w : {100, 120, 140})
            WmfBuilder::put16(p, w);
        b.raw(SETBKCOLOR, colourWords(Qt::yellow)).rec(SETTEXTALIGN, {24}).raw(EXTTEXTOUT, p).rec(MOVETO, {0, 0});
        const auto o = playRecorded(b.bytes());
        const auto paths = o.of(Drawn::Path);
        QCOMPARE(paths.size(), std::size_t(1));
        QCOMPARE(paths[0].box, QRectF(10, 40, 20, 20));
        QCOMPARE(paths[0].brush.color(), QColor(Qt::yellow));
        const auto texts = o.of(Drawn::Text);
        QCOMPARE(texts.size(), std::size_t(1));
        QCOMPARE(texts[0].text, QStringLiteral("Sun"));
        QCOMPARE(texts[0].advances, (std::vector<double>{10, 12, 14}));
        const auto clips = o.of(Drawn::Clip);
        QVERIFY(clips.size() >= 2);
        QCOMPARE(clips[0].box, QRectF(10, 40, 20, 20));
        QVERIFY(clips[1].box.isEmpty());
    }

    void updateCurrentPosition()
    {
        WmfBuilder b = tenToOne();
        b.rec(MOVETO, {500, 100}).rec(SETTEXTALIGN, {24 | 1}).rec(SETBKMODE, {1}).raw(TEXTOUT, WmfBuilder::textOut(900, 900, "ab")).raw(TEXTOUT, WmfBuilder::textOut(900, 900, "cd"));
        const auto texts = playRecorded(b.bytes()).of(Drawn::Text);
        QCOMPARE(texts.size(), std::size_t(2));
        QCOMPARE(texts[0].origin, QPointF(10, 50));
        const double w = QFontMetricsF(texts[0].font).horizontalAdvance(QStringLiteral("ab"));
        QVERIFY(std::abs(texts[1].origin.x() - (10 + w)) < 0.1);
    }

    void dibs_data()
    {
        QTest::addColumn<QByteArray>("bitmap");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QRgb>>("pixels");  // row by row from the top
        const QRgb r = qRgb(255, 0, 0), g = qRgb(0, 255, 0), bl = qRgb(0, 0, 255), w = qRgb(255, 255, 255);
        QTest::newRow("1 bit, bottom up") << dib(2, 2, 1, 0, bgr0({r, g}), QByteArray::fromHex("40000000" "80000000")) << QSize(2, 2) << QList<QRgb>{g, r, r, g};
        QTest::newRow("4 bit") << dib(2, 1, 4, 0, bgr0({r, g, bl}), QByteArray::fromHex("12000000"), 3) << QSize(2, 1) << QList<QRgb>{g, bl};
        QTest::newRow("8 bit, top down") << dib(2, -2, 8, 0, bgr0({r, g, bl}), QByteArray::fromHex("00010000" "02000000"), 3) << QSize(2, 2) << QList<QRgb>{r, g, bl, r};
        QTest::newRow("16 bit 555") << dib(1, 1, 16, 0, {}, QByteArray::fromHex("1f000000")) << QSize(1, 1) << QList<QRgb>{bl};
        QTest::newRow("24 bit") << dib(2, 1, 24, 0, {}, QByteArray::fromHex("0000ff00ff000000")) << QSize(2, 1) << QList<QRgb>{r, g};
        QTest::newRow("32 bit") << dib(1, 1, 32, 0, {}, QByteArray::fromHex("ff000000")) << QSize(1, 1) << QList<QRgb>{bl};
        QTest::newRow("bitfields 565") << dib(1, 1, 16, 3, QByteArray::fromHex("00f80000e00700001f000000"), QByteArray::fromHex("00f80000")) << QSize(1, 1) << QList<QRgb>{r};
        QTest::newRow("rle8") << dib(4, 2, 8, 1, bgr0({r, g}), QByteArray::fromHex("0400" "0000" "0003010001" "00" "0001"), 2) << QSize(4, 2)
                              << QList<QRgb>{g, r, g, r, r, r, r, r};
        QTest::newRow("rle8 run past the row is cut") << dib(2, 1, 8, 1, bgr0({r, g}), QByteArray::fromHex("0901" "0001"), 2) << QSize(2, 1) << QList<QRgb>{g, g};
        QTest::newRow("rle4") << dib(4, 1, 4, 2, bgr0({r, g}), QByteArray::fromHex("0401" "0001"), 2) << QSize(4, 1) << QList<QRgb>{r, g, r, g};
        QTest::newRow("rle8 absolute run with its last byte") << dib(3, 1, 8, 1, bgr0({r, g}), QByteArray::fromHex("0003" "010001"), 2) << QSize(3, 1) << QList<QRgb>{g, r, g};
        QTest::newRow("rle8 delta with its last byte") << dib(2, 2, 8, 1, bgr0({r, g}), QByteArray::fromHex("0002" "0101" "0101"), 2) << QSize(2, 2) << QList<QRgb>{r, g, r, r};
        QTest::newRow("rle4 absolute run with its last byte") << dib(3, 1, 4, 2, bgr0({r, g}), QByteArray::fromHex("0003" "0110"), 2) << QSize(3, 1) << QList<QRgb>{r, g, g};
        Q_UNUSED(w);
    }
    void dibs()
    {
        QFETCH(QByteArray, bitmap);
        QFETCH(QSize, size);
        QFETCH(QList<QRgb>, pixels);
        const QImage img = decodeDib(reinterpret_cast<const uchar *>(bitmap.constData()), bitmap.size(), 0, {});
        QCOMPARE(img.size(), size);
        for (int i = 0; i < pixels.size(); ++i)
            QCOMPARE(QColor(img.pixel(i % size.width(), i / size.width())), QColor(pixels[i]));
        // And played through STRETCHDIB onto its place.
        const auto images = playRecorded(tenToOne().raw(STRETCHDIB, stretchDib(100, 200, 300, 400, bitmap, size.width(), size.height())).bytes()).of(Drawn::Image);
        QCOMPARE(images.size(), std::size_t(1));
        QCOMPARE(images[0].box, QRectF(10, 20, 30, 40));
        QCOMPARE(images[0].image.size(), size);
    }

    void badBitmapsAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("bitmap");
        QTest::newRow("huge") << dib(100000, 100000, 24, 0, {}, QByteArray(16, '\0'));
        QTest::newRow("wide and thin but too many pixels") << dib(32768, 32768, 1, 0, bgr0({0, 0}), QByteArray(16, '\0'));
        QTest::newRow("bits missing") << dib(100, 100, 24, 0, {}, QByteArray(100, '\0'));
        QTest::newRow("table missing") << dib(2, 2, 8, 0, QByteArray(10, '\0'), {});
        QTest::newRow("bad bit count") << dib(2, 2, 7, 0, {}, QByteArray(16, '\0'));
        QTest::newRow("rle with 24 bits") << dib(2, 2, 24, 1, {}, QByteArray(16, '\0'));
        QTest::newRow("header size lies") << QByteArray::fromHex("ffffff7f") + QByteArray(60, '\0');
        QTest::newRow("zero width") << dib(0, 2, 24, 0, {}, QByteArray(16, '\0'));
        QTest::newRow("rle8 absolute run one byte short") << dib(3, 1, 8, 1, bgr0({0, 0}), QByteArray::fromHex("0003" "0100"), 2);
        QTest::newRow("rle4 absolute run one byte short") << dib(5, 1, 4, 2, bgr0({0, 0}), QByteArray::fromHex("0005" "0110"), 2);
        // Records are whole words, so a bitmap inside one is short by a word.
        QTest::newRow("bits one word short (24 bit above has them all)") << dib(2, 1, 24, 0, {}, QByteArray::fromHex("0000ff00ff00"));
    }
    void badBitmapsAreSkipped()
    {
        QFETCH(QByteArray, bitmap);
        QVERIFY(decodeDib(reinterpret_cast<const uchar *>(bitmap.constData()), bitmap.size(), 0, {}).isNull());
        const auto o = playRecorded(tenToOne().raw(STRETCHDIB, stretchDib(0, 0, 10, 10, bitmap, 2, 2)).rec(RECTANGLE, {400, 600, 200, 200}).bytes());
        QCOMPARE(o.of(Drawn::Image).size(), std::size_t(0));
        QCOMPARE(o.of(Drawn::Path).size(), std::size_t(1));  // and the file goes on
    }

    void recordsAtTheirLimits_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("paths");
        QTest::addColumn<int>("texts");
        QTest::newRow("rectangle with its four words") << tenToOne().rec(RECTANGLE, {400, 600, 200, 200}).bytes() << 1 << 0;
        QTest::newRow("rectangle one word short") << tenToOne().rec(RECTANGLE, {400, 600, 200}).bytes() << 0 << 0;
        QTest::newRow("round rectangle one word short") << tenToOne().rec(ROUNDRECT, {50, 50, 400, 600, 200}).bytes() << 0 << 0;
        QTest::newRow("arc one word short") << tenToOne().rec(ARC, {500, 600, 500, 400, 600, 600, 400}).bytes() << 0 << 0;
        QTest::newRow("text with its words") << tenToOne().raw(TEXTOUT, WmfBuilder::textOut(500, 500, "ab")).bytes() << 1 << 1;
        QTest::newRow("text one word short") << tenToOne().raw(TEXTOUT, WmfBuilder::textOut(500, 500, "ab").chopped(2)).bytes() << 0 << 0;
        QTest::newRow("text count one past its bytes") << tenToOne().raw(TEXTOUT, QByteArray::fromHex("0300") + "ab" + QByteArray::fromHex("f401f401")).bytes() << 0 << 0;
    }
    void recordsAtTheirLimits()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, paths);
        QFETCH(int, texts);
        const auto o = playRecorded(bytes);
        QCOMPARE(int(o.of(Drawn::Path).size()), paths);  // text on an opaque background draws one too
        QCOMPARE(int(o.of(Drawn::Text).size()), texts);
    }

    void escapesAndUnknownRecordsAreSkipped()
    {
        const auto o = playRecorded(tenToOne().rec(ESCAPE, {15, 4, 1, 2}).rec(0x7777, {1, 2, 3}).rec(RECTANGLE, {400, 600, 200, 200}).bytes());
        QCOMPARE(o.of(Drawn::Path).size(), std::size_t(1));
    }

    void malformedFilesAreErrors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = tenToOne().rec(RECTANGLE, {400, 600, 200, 200}).bytes();
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("placeable key only") << good.left(4);
        QTest::newRow("header cut short") << good.left(30);
        QTest::newRow("not a metafile") << QByteArray(200, 'x');
        QTest::newRow("record size 0") << tenToOne().lyingSize(0, RECTANGLE).bytes(false);
        QTest::newRow("record size 1") << tenToOne().lyingSize(1, RECTANGLE).bytes(false);
        QTest::newRow("record size 2") << tenToOne().lyingSize(2, RECTANGLE).bytes(false);
        QTest::newRow("record past the end") << tenToOne().lyingSize(0x7FFFFFFF, RECTANGLE).bytes(false);
        // The record's own three words are there; it claims one or two more.
        QTest::newRow("record one word past the end") << tenToOne().lyingSize(4, RECTANGLE).bytes(false);
        QTest::newRow("record two words past the end") << tenToOne().lyingSize(5, RECTANGLE).bytes(false);
        QTest::newRow("empty frame") << WmfBuilder(QRect(0, 0, 1, 1)).bytes();
        QTest::newRow("zero units an inch") << WmfBuilder(QRect(0, 0, 100, 100), 0).bytes();
    }
    void malformedFilesAreErrors()
    {
        QFETCH(QByteArray, bytes);
        QString error;
        QVERIFY(!parse(bytes, &error));
        QVERIFY(!error.isEmpty());
    }

    void truncatedAnywhereNeverCrashes()
    {
        // A real file with every kind of record, cut at every byte: parsed or refused, and
        // what parses plays.
        Writer w(2880, 1440);
        w.text(100, 300, QStringLiteral("Planets, 25°C"), TextStyle{});
        w.rectangle(QRect(100, 400, 500, 300), Qt::yellow, Qt::black, 20);
        w.ellipse(QRect(700, 400, 500, 300), Qt::blue);
        w.polygon(QPolygon({{100, 900}, {400, 1300}, {50, 1300}}), Qt::red, Qt::black, 10);
        QImage img(3, 2, QImage::Format_RGB32);
        img.fill(Qt::green);
        w.image(QRect(1500, 400, 600, 400), img);
        const QByteArray whole = w.finish();
        int parsed = 0;
        for (qsizetype n = 0; n <= whole.size(); ++n) {
            if (auto m = parse(whole.left(n))) {
                ++parsed;
                RecordingOutput out;
                play(*m, out, QRectF(0, 0, 200, 100));
            }
        }
        QVERIFY(parsed > 0);
    }

    void hugeCoordinatesAndPensStayFast()
    {
        // Dashed strokes of enormous length and pens wider than the picture would take minutes;
        // they are drawn solid and narrowed to the picture.
        WmfBuilder b(QRect(0, 0, 10, 10));
        b.raw(CREATEPENINDIRECT, QByteArray::fromHex("0200") + QByteArray::fromHex("ff7f0000") + colourWords(Qt::black))
            .rec(SELECTOBJECT, {0})
            .rec(MOVETO, {-32000, -32000})
            .rec(LINETO, {32000, 32000})
            .rec(ELLIPSE, {32000, 32000, -32000, -32000});
        const auto m = parse(b.bytes());
        QVERIFY(m);
        QImage img(200, 200, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::white);
        QElapsedTimer t;
        t.start();
        QPainter p(&img);
        paint(*m, p, QRectF(0, 0, 200, 200));
        p.end();
        QVERIFY2(t.elapsed() < 5000, "bounded work");
    }

    void writerReadsBack()
    {
        Writer w(7200, 1440);
        TextStyle title;
        title.family = QStringLiteral("Times New Roman");
        title.points = 24;
        title.bold = true;
        title.colour = QColor(0, 0, 160);
        title.align = Qt::AlignHCenter;
        w.text(3600, 600, QStringLiteral("Other Planets: 25°C"), title);
        w.line(QPoint(0, 700), QPoint(7200, 700), Qt::red, 30);
        w.rectangle(QRect(100, 800, 1000, 400), QColor(255, 255, 0), Qt::black, 15);
        w.ellipse(QRect(1200, 800, 400, 400), Qt::blue);
        w.polygon(QPolygon({{2000, 800}, {2400, 1200}, {1600, 1200}}), Qt::green);
        QImage img(4, 2, QImage::Format_RGB32);
        img.fill(QColor(10, 200, 30));
        img.setPixel(0, 0, qRgb(200, 0, 0));
        w.image(QRect(3000, 800, 800, 400), img);
        const auto m = parse(w.finish());
        QVERIFY(m);
        QCOMPARE(m->sizeInches(), QSizeF(5, 1));
        RecordingOutput out;
        play(*m, out, QRectF(0, 0, 720, 144));  // a pixel every 10 twips
        const auto texts = out.of(Drawn::Text);
        QCOMPARE(texts.size(), std::size_t(1));
        QCOMPARE(texts[0].text, QStringLiteral("Other Planets: 25°C"));
        QCOMPARE(texts[0].font.family(), QStringLiteral("Times New Roman"));
        QCOMPARE(texts[0].font.pixelSize(), 48);
        QVERIFY(texts[0].font.bold());
        QCOMPARE(texts[0].colour, QColor(0, 0, 160));
        QVERIFY(std::abs(texts[0].origin.x() + QFontMetricsF(texts[0].font).horizontalAdvance(texts[0].text) / 2 - 360) < 0.5);
        QCOMPARE(texts[0].origin.y(), 60.0);
        const auto paths = out.of(Drawn::Path);
        QCOMPARE(paths.size(), std::size_t(4));
        QCOMPARE(paths[0].pen.color(), QColor(Qt::red));
        QCOMPARE(paths[0].pen.widthF(), 3.0);
        QCOMPARE(paths[1].box, QRectF(10, 80, 100, 40));
        QCOMPARE(paths[1].brush.color(), QColor(255, 255, 0));
        QCOMPARE(paths[2].brush.color(), QColor(Qt::blue));
        QCOMPARE(paths[2].pen.style(), Qt::NoPen);
        QCOMPARE(paths[3].path.elementCount(), 4);
        const auto images = out.of(Drawn::Image);
        QCOMPARE(images.size(), std::size_t(1));
        QCOMPARE(images[0].box, QRectF(300, 80, 80, 40));
        QCOMPARE(images[0].image.size(), QSize(4, 2));
        QCOMPARE(QColor(images[0].image.pixel(0, 0)), QColor(200, 0, 0));
        QCOMPARE(QColor(images[0].image.pixel(3, 1)), QColor(10, 200, 30));
    }
};

QTEST_MAIN(TestWmf)
#include "tst_wmf.moc"
