// Metafiles made to be slow or large: each plays to its end within the player's bounds, and clip
// regions, however many rectangles they hold, clip exactly the union of their rectangles.
// (How long they take is measured by bench_pages_hostile and guarded by the fuzz regression run.)
#include "platform/wmf/cliparea.h"
#include "support/wmfbuilder.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace wmf;

namespace {

const QString kRegressions = QStringLiteral(QUILLMOOR_SOURCE_DIR "/fuzz/regressions/wmf/");

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

// CREATEREGION's parameters: a header whose bounding box is the frame, then one scan a rectangle.
QByteArray regionOf(const std::vector<QRect> &rects, QRect box = QRect(0, 0, 800, 800))
{
    QByteArray r;
    for (int w : {0, 6, 0, 0, 0, int(rects.size()), 4, box.left(), box.top(), box.right() + 1, box.bottom() + 1})
        WmfBuilder::put16(r, w);
    for (const QRect &q : rects)
        for (int w : {2, q.top(), q.bottom() + 1, q.left(), q.right() + 1, 2})
            WmfBuilder::put16(r, w);
    return r;
}

std::vector<QRect> overlapping(int n, int seed)
{
    QRandomGenerator rng{quint32(seed)};
    std::vector<QRect> rects;
    for (int i = 0; i < n; ++i)
        rects.emplace_back(rng.bounded(760), rng.bounded(760), 1 + rng.bounded(40), 1 + rng.bounded(40));
    return rects;
}

// An 800 x 800 frame, one unit a pixel at 96 dpi, a black brush and no pen selected.
WmfBuilder blackOnFrame()
{
    WmfBuilder b(QRect(0, 0, 800, 800), 96);
    QByteArray noPen = QByteArray::fromHex("0500") + QByteArray(8, '\0');
    QByteArray black = QByteArray::fromHex("0000") + QByteArray(6, '\0');
    b.raw(CREATEPENINDIRECT, noPen).raw(CREATEBRUSHINDIRECT, black).rec(SELECTOBJECT, {0}).rec(SELECTOBJECT, {1});
    return b;
}

QByteArray rle8Huge()  // 4096 x 4096 from a few bytes: one run, then the end of the bitmap
{
    QByteArray d;
    for (quint32 v : {40u, 4096u, 4096u})
        WmfBuilder::put32(d, v);
    WmfBuilder::put16(d, 1);
    WmfBuilder::put16(d, 8);
    for (quint32 v : {1u, 0u, 0u, 0u, 1u, 0u})
        WmfBuilder::put32(d, v);
    WmfBuilder::put32(d, 0x00FF0000);  // one colour
    return d + QByteArray::fromHex("0500" "0001");
}

QByteArray stretchDibOf(const QByteArray &bitmap)
{
    QByteArray p;
    WmfBuilder::put32(p, 0x00CC0020);
    for (int w : {0, 4096, 4096, 0, 0, 100, 100, 0, 0})
        WmfBuilder::put16(p, w);
    return p + bitmap;
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

        const QByteArray big = regionOf(overlapping(int(kMaxClipRects) + 1, 1));
        QTest::newRow("region over the bound: its bounding box")
            << blackOnFrame().raw(CREATEREGION, big).rec(SELECTCLIPREGION, {2}).rec(RECTANGLE, {800, 800, 0, 0}).bytes() << 1 << 0 << 1 << 1;

        WmfBuilder again = blackOnFrame();
        again.raw(CREATEREGION, regionOf(overlapping(1000, 2)));
        for (int i = 0; i < 100; ++i)
            again.rec(SELECTCLIPREGION, {2}).rec(RECTANGLE, {800, 800, 0, 0});
        QTest::newRow("large region selected on every record: boxes once the clip budget is spent")
            << again.bytes() << 100 << 0 << 1000 << 1;

        // Every rectangle of the region crosses the excluded one and splits in four.
        std::vector<QRect> crossing(10000, QRect(100, 100, 600, 600));
        QTest::newRow("excluding from a large region: its bounding box once over the bound")
            << blackOnFrame().raw(CREATEREGION, regionOf(crossing)).rec(SELECTCLIPREGION, {2}).rec(EXCLUDECLIPRECT, {500, 500, 300, 300})
                   .rec(RECTANGLE, {800, 800, 0, 0}).bytes()
            << 1 << 0 << 10000 << 1;

        WmfBuilder bitmaps = blackOnFrame();
        for (int i = 0; i < 6; ++i)
            bitmaps.raw(STRETCHDIB, stretchDibOf(rle8Huge()));
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
        play(*m, out, QRectF(0, 0, 800, 800));
        QCOMPARE(out.paths, paths);
        QCOMPARE(out.images, images);
        QCOMPARE(out.maxClipRects, qsizetype(maxClipRects));
        QCOMPARE(out.lastClipRects, qsizetype(lastClipRects));
    }

    void regionsClipTheUnionOfTheirRectangles_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("1,000 rectangles") << 1000;
        QTest::newRow("4,000 rectangles") << 4000;
        QTest::newRow("10,000 rectangles") << 10000;
        QTest::newRow("over the bound: the bounding box") << int(kMaxClipRects) + 1;
    }
    void regionsClipTheUnionOfTheirRectangles()
    {
        QFETCH(int, count);
        const std::vector<QRect> rects = overlapping(count, count);
        const auto m = parse(blackOnFrame().raw(CREATEREGION, regionOf(rects)).rec(SELECTCLIPREGION, {2}).rec(RECTANGLE, {800, 800, 0, 0}).bytes());
        QVERIFY(m);
        QImage got(800, 800, QImage::Format_RGB32);
        got.fill(Qt::white);
        QPainter p(&got);
        paint(*m, p, QRectF(0, 0, 800, 800));
        p.end();

        QImage want(800, 800, QImage::Format_RGB32);
        want.fill(Qt::white);
        QPainter w(&want);
        QRect box;
        for (const QRect &r : rects) {
            w.fillRect(r, Qt::black);
            box |= r;
        }
        if (count > kMaxClipRects)
            w.fillRect(box, Qt::black);
        w.end();
        int wrong = 0;
        for (int y = 0; y < 800; ++y)
            for (int x = 0; x < 800; ++x)
                wrong += got.pixel(x, y) != want.pixel(x, y);
        QCOMPARE(wrong, 0);
    }

    void regressionFilesPaint_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files = QDir(kRegressions).entryList({QStringLiteral("*.wmf")}, QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 7);
        for (const QString &f : files)
            QTest::newRow(qPrintable(f)) << kRegressions + f;
    }
    void regressionFilesPaint()
    {
        // On a real painter at the size that found them: each once crashed or took minutes here.
        QFETCH(QString, file);
        const auto m = load(file);
        QVERIFY(m);
        QImage img(768, 768, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::white);
        QPainter p(&img);
        paint(*m, p, QRectF(0, 0, 768, 768));
        QVERIFY(p.end());
    }

    void stretchedFontsAreBounded()
    {
        WmfBuilder b(QRect(0, 0, 1000, 1000));
        QByteArray font;
        for (int w : {-52, 20000, 0, 0, 400, 0, 0, 0, 0})
            WmfBuilder::put16(font, w);
        font.append(QByteArray("Impact").leftJustified(32, '\0'));
        b.raw(CREATEFONTINDIRECT, font).rec(SELECTOBJECT, {0}).raw(TEXTOUT, WmfBuilder::textOut(500, 10, "I am a string"));
        const auto texts = playRecorded(b.bytes(), 768, 768).of(Drawn::Text);
        QCOMPARE(texts.size(), std::size_t(1));
        QCOMPARE(texts[0].font.stretch(), 1000);
    }

    void objectTableBeyondItsSize()
    {
        // 65,535 objects fill the table; more are dropped, and a freed index is the next one taken.
        WmfBuilder b = blackOnFrame();
        for (int i = 0; i < 65540; ++i)
            b.raw(CREATEPENINDIRECT, QByteArray(10, '\0'));
        b.rec(DELETEOBJECT, {7}).raw(CREATEPENINDIRECT, QByteArray::fromHex("0000") + QByteArray::fromHex("00000000") + QByteArray::fromHex("ff000000"));
        b.rec(SELECTOBJECT, {7}).rec(RECTANGLE, {800, 800, 0, 0});
        const auto paths = playRecorded(b.bytes()).of(Drawn::Path);
        QCOMPARE(paths.size(), std::size_t(1));
        QCOMPARE(paths[0].pen.color(), QColor(Qt::red));
    }
};

QTEST_MAIN(TestWmfHostile)
#include "tst_wmfhostile.moc"
