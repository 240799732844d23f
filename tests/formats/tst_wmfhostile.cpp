// SPDX-License-Identifier: GPL-3.0-or-later
// Metafiles made to be slow or large: each plays to its end within the player's bounds, and clip
// regions, however many rectangles they hold, clip exactly the union of their rectangles.
// (How long they take is measured by bench_pages_hostile; the files of fuzz/regressions/wmf are
// painted, and their time guarded, by the fuzz regression run.)
#include "formats/wmf/cliparea.h"
#include "support/wmfbuilder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace wmf;

namespace {

const QString kRegressions = QStringLiteral(QUILLMOOR_SOURCE_DIR "/fuzz/regressions/wmf/");
const QRect kFrame(0, 0, 800, 800);

// Counts what is drawn without keeping it: hostile files may draw hundreds of megabytes.
class CountingOutput : public Output {
public:
    int paths = 0, images = 0;
    qsizetype maxClipRects = 0, lastClipRects = 0;
    void setClip(const QPainterPath *clip) override
    {
        if (!clip)
            return;
        lastClipRects = clip->elementCount() / 5;  // a rectangle is a move, three lines and a close
        maxClipRects = std::max(maxClipRects, lastClipRects);
    }
    void drawPath(const QPainterPath &, const QPen &, const QBrush &) override { ++paths; }
    void drawText(const QPointF &, double, const QFont &, const QColor &, const QString &, const std::vector<double> &) override {}
    void drawImage(const QRectF &, const QImage &, QPainter::CompositionMode) override { ++images; }
};

QByteArray overlapping(int n, int seed, std::vector<QRect> *rects = nullptr)
{
    QRandomGenerator rng{quint32(seed)};
    std::vector<QRect> made;
    for (int i = 0; i < n; ++i)
        made.emplace_back(rng.bounded(760), rng.bounded(760), 1 + rng.bounded(40), 1 + rng.bounded(40));
    if (rects)
        *rects = made;
    return WmfBuilder::region(made, kFrame);
}

// An 800 x 800 frame, one unit a pixel at 96 dpi, a black brush and no pen selected.
WmfBuilder blackOnFrame()
{
    WmfBuilder b(kFrame, 96);
    b.raw(CREATEPENINDIRECT, WmfBuilder::pen(Qt::black, 5)).raw(CREATEBRUSHINDIRECT, WmfBuilder::brush(Qt::black));
    b.rec(SELECTOBJECT, {0}).rec(SELECTOBJECT, {1});
    return b;
}

// The region of object 2 as the clip, then the whole frame filled.
QByteArray clippedFill(const QByteArray &region)
{
    return blackOnFrame().raw(CREATEREGION, region).rec(SELECTCLIPREGION, {2}).rec(RECTANGLE, {800, 800, 0, 0}).bytes();
}

}  // namespace

class TestWmfHostile : public QObject {
    Q_OBJECT
private slots:
    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("paths");          // drawn: the file plays to its end
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("maxClipRects");   // the most rectangles any clip handed to the output held
        QTest::addColumn<int>("lastClipRects");
        QFile f(kRegressions + QStringLiteral("region-many-rects.wmf"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QTest::newRow("region of 500 overlapping rectangles (region-many-rects.wmf)") << f.readAll() << 2 << 0 << 393 << 393;  // 514, 121 of them empty
        QTest::newRow("region over the bound: its bounding box")
            << clippedFill(overlapping(int(kMaxClipRects) + 1, 1)) << 1 << 0 << 1 << 1;

        WmfBuilder again = blackOnFrame();
        again.raw(CREATEREGION, overlapping(1000, 2));
        for (int i = 0; i < 100; ++i)
            again.rec(SELECTCLIPREGION, {2}).rec(RECTANGLE, {800, 800, 0, 0});
        QTest::newRow("large region selected on every record: boxes once the clip budget is spent")
            << again.bytes() << 100 << 0 << 1000 << 1;

        // Every rectangle of the region crosses the excluded one and splits in four.
        const QByteArray crossing = WmfBuilder::region(std::vector<QRect>(10000, QRect(100, 100, 600, 600)), kFrame);
        QTest::newRow("excluding from a large region: its bounding box once over the bound")
            << blackOnFrame().raw(CREATEREGION, crossing).rec(SELECTCLIPREGION, {2}).rec(EXCLUDECLIPRECT, {500, 500, 300, 300})
                   .rec(RECTANGLE, {800, 800, 0, 0}).bytes()
            << 1 << 0 << 10000 << 1;

        // 4096 x 4096 from a few bytes each: one run, then the end of the bitmap.
        const QByteArray rle =
            WmfBuilder::dib(4096, 4096, 8, 1, QByteArray::fromHex("0000ff00"), QByteArray::fromHex("0500" "0001"), 1);
        WmfBuilder bitmaps = blackOnFrame();
        for (int i = 0; i < 6; ++i)
            bitmaps.raw(STRETCHDIB, WmfBuilder::stretchDib(0, 0, 100, 100, rle, 4096, 4096));
        QTest::newRow("run-length bitmaps past the image budget are not drawn")
            << bitmaps.rec(RECTANGLE, {800, 800, 0, 0}).bytes() << 1 << 4 << 0 << 0;
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, paths);
        QFETCH(int, images);
        QFETCH(int, maxClipRects);
        QFETCH(int, lastClipRects);
        const auto m = parse(bytes);
        QVERIFY(m);
        CountingOutput out;
        play(*m, out, QRectF(kFrame));
        QCOMPARE(out.paths, paths);
        QCOMPARE(out.images, images);
        QCOMPARE(out.maxClipRects, qsizetype(maxClipRects));
        QCOMPARE(out.lastClipRects, qsizetype(lastClipRects));
    }

    void regionsClipTheUnionOfTheirRectangles_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("10,000 rectangles") << 10000;
        QTest::newRow("over the bound: the bounding box") << int(kMaxClipRects) + 1;
    }
    void regionsClipTheUnionOfTheirRectangles()
    {
        QFETCH(int, count);
        std::vector<QRect> rects;
        const auto m = parse(clippedFill(overlapping(count, count, &rects)));
        QVERIFY(m);
        QImage got(800, 800, QImage::Format_RGB32), want(800, 800, QImage::Format_RGB32);
        got.fill(Qt::white);
        want.fill(Qt::white);
        QPainter p(&got);
        paint(*m, p, QRectF(kFrame));
        p.end();
        QPainter w(&want);
        QRect box;
        for (const QRect &r : rects) {
            w.fillRect(r, Qt::black);
            box |= r;
        }
        if (count > kMaxClipRects)
            w.fillRect(box, Qt::black);
        w.end();
        QCOMPARE(got, want);
    }

    void stretchedFontsAreBounded()
    {
        WmfBuilder b(QRect(0, 0, 1000, 1000));
        b.raw(CREATEFONTINDIRECT, WmfBuilder::font({-52, 20000, 0, 0, 400, 0, 0, 0, 0}, "Impact")).rec(SELECTOBJECT, {0});
        b.raw(TEXTOUT, WmfBuilder::textOut(500, 10, "I am a string"));
        const auto texts = playRecorded(b.bytes(), 768, 768).of(Drawn::Text);
        QCOMPARE(texts.size(), std::size_t(1));
        QCOMPARE(texts[0].font.stretch(), 1000);
    }
};

QTEST_MAIN(TestWmfHostile)
#include "tst_wmfhostile.moc"
