// SPDX-License-Identifier: GPL-3.0-or-later
// Our metafile layer: each record family read and played, malformed files and bitmaps refused
// or skipped, the writer read back by our reader. Most playing cases are scripts in tests/data/wmf,
// one record a line, and what they draw is compared with tests/data/golden/wmf.
#include "formats/wmf/cliparea.h"
#include "formats/wmf/dib.h"
#include "formats/wmf/wmfwriter.h"
#include "support/golden.h"
#include "support/wmfbuilder.h"

#include <QDir>
#include <QFile>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QTest>

using namespace wmf;
using B = WmfBuilder;

namespace {

const QString kScripts = QStringLiteral(QUILLMOOR_SOURCE_DIR "/tests/data/wmf/");

const QHash<QString, quint16> kFunctions = {
    {"SAVEDC", SAVEDC}, {"RESTOREDC", RESTOREDC}, {"SETBKMODE", SETBKMODE}, {"SETMAPMODE", SETMAPMODE},
    {"SELECTCLIPREGION", SELECTCLIPREGION}, {"SELECTOBJECT", SELECTOBJECT}, {"SETTEXTALIGN", SETTEXTALIGN},
    {"DELETEOBJECT", DELETEOBJECT}, {"SETBKCOLOR", SETBKCOLOR}, {"SETTEXTCOLOR", SETTEXTCOLOR},
    {"SETWINDOWORG", SETWINDOWORG}, {"SETWINDOWEXT", SETWINDOWEXT}, {"OFFSETWINDOWORG", OFFSETWINDOWORG},
    {"LINETO", LINETO}, {"MOVETO", MOVETO}, {"CREATEPENINDIRECT", CREATEPENINDIRECT},
    {"CREATEFONTINDIRECT", CREATEFONTINDIRECT}, {"CREATEBRUSHINDIRECT", CREATEBRUSHINDIRECT},
    {"POLYGON", POLYGON}, {"POLYLINE", POLYLINE}, {"SCALEWINDOWEXT", SCALEWINDOWEXT},
    {"EXCLUDECLIPRECT", EXCLUDECLIPRECT}, {"INTERSECTCLIPRECT", INTERSECTCLIPRECT}, {"ELLIPSE", ELLIPSE},
    {"RECTANGLE", RECTANGLE}, {"TEXTOUT", TEXTOUT}, {"POLYPOLYGON", POLYPOLYGON}, {"ROUNDRECT", ROUNDRECT},
    {"ESCAPE", ESCAPE}, {"CREATEREGION", CREATEREGION}, {"ARC", ARC}, {"PIE", PIE}, {"CHORD", CHORD},
    {"EXTTEXTOUT", EXTTEXTOUT},
};

// One playing case of a script: its name and its lines (those before the first case are every
// case's start).
struct Script {
    QString name;
    QStringList lines;
};

std::vector<Script> readScript(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(path));
    QStringList start;
    std::vector<Script> cases;
    for (const QString &raw : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1String("case ")))
            cases.push_back({line.mid(5), start});
        else
            (cases.empty() ? start : cases.back().lines) << line;
    }
    return cases;
}

// A record's parameters: numbers are words, #rrggbb a colour, "text" its bytes padded to a word.
QByteArray paramsOf(const QStringList &tokens)
{
    QByteArray p;
    for (const QString &t : tokens) {
        if (t.startsWith(QLatin1Char('#'))) {
            p += B::colour(QColor(t));
        } else if (t.startsWith(QLatin1Char('"'))) {
            const QByteArray s = t.mid(1, t.size() - 2).toLatin1();
            p += s + QByteArray(s.size() % 2, '\0');
        } else {
            bool ok = false;
            B::put16(p, t.toInt(&ok, 0));
            if (!ok)
                qFatal("not a number: %s", qPrintable(t));
        }
    }
    return p;
}

// The words of a line, a "quoted text" kept whole.
QStringList wordsOf(const QString &line)
{
    static const QRegularExpression space(QStringLiteral("\\s+(?=(?:[^\"]*\"[^\"]*\")*[^\"]*$)"));
    return line.split(space);
}

// Records by name (or function number), repeat N RECORD..., and for the file frame L T W H
// (a placeable file's, 1440 units an inch), target W H for what it is drawn onto.
QByteArray bytesOf(const QStringList &lines, QSizeF *target)
{
    QRect frame(0, 0, 1000, 1000);
    for (const QString &line : lines) {
        const QStringList w = wordsOf(line);
        if (w[0] == QLatin1String("frame"))
            frame = QRect(w[1].toInt(), w[2].toInt(), w[3].toInt(), w[4].toInt());
        else if (w[0] == QLatin1String("target"))
            *target = QSizeF(w[1].toDouble(), w[2].toDouble());
    }
    B b(frame);
    for (const QString &line : lines) {
        QStringList w = wordsOf(line);
        const int times = w[0] == QLatin1String("repeat") ? w[1].toInt() : 1;
        if (w[0] == QLatin1String("repeat"))
            w = w.mid(2);
        if (w[0] == QLatin1String("frame") || w[0] == QLatin1String("target"))
            continue;
        bool number = false;
        const quint16 function = kFunctions.value(w[0], quint16(w[0].toInt(&number, 0)));
        if (!number && !kFunctions.contains(w[0]))
            qFatal("no record %s", qPrintable(w[0]));
        const QByteArray params = paramsOf(w.mid(1));
        for (int i = 0; i < times; ++i)
            b.raw(function, params);
    }
    return b.bytes();
}

QString num(double v) { return QString::number(v, 'g', 6); }
QString box(const QRectF &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(num(r.x()), num(r.y()), num(r.width()), num(r.height()));
}
template<typename E> QString key(E e) { return QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(e)); }

// One line for each thing drawn, as the output was handed it; a clip only when it changes.
QStringList dump(const RecordingOutput &o)
{
    QStringList out;
    QString clip = QStringLiteral("clip none");
    for (const Drawn &d : o.drawn) {
        QString pen = QStringLiteral("none"), brush = QStringLiteral("none");
        if (d.pen.style() != Qt::NoPen)
            pen = d.pen.color().name() + ' ' + key(d.pen.style()) + ' ' + num(d.pen.widthF());
        if (d.brush.style() != Qt::NoBrush)
            brush = d.brush.color().name() + ' ' + key(d.brush.style());
        QStringList rects;  // a clip is a union of rectangles, each its own closed subpath
        for (const QPolygonF &p : d.path.toSubpathPolygons())
            rects << box(p.boundingRect());
        const QString clipNow = QStringLiteral("clip ") + (rects.isEmpty() ? QStringLiteral("none") : rects.join(", "));
        QString text = QStringLiteral("text \"%1\" at %2,%3 ").arg(d.text, num(d.origin.x()), num(d.origin.y()));
        text += d.font.family() + ' ' + QString::number(d.font.pixelSize()) + "px";
        text += (d.font.bold() ? " bold colour " : " colour ") + d.colour.name() + " angle " + num(d.angle);
        if (!d.advances.empty())
            text += " advances";
        for (double a : d.advances)
            text += ' ' + num(a);
        if (d.kind == Drawn::Path)
            out << QStringLiteral("path %1 elements %2 pen %3 brush %4").arg(box(d.box)).arg(d.path.elementCount())
                       .arg(pen, brush);
        else if (d.kind == Drawn::Text)
            out << text;
        else if (d.kind == Drawn::Image)
            out << QStringLiteral("image %1 of %2x%3").arg(box(d.box)).arg(d.image.width()).arg(d.image.height());
        else if (clipNow != clip)
            out << (clip = clipNow);
    }
    return out.isEmpty() ? QStringList{QStringLiteral("nothing drawn")} : out;
}

// RECTANGLE (200,200)-(600,400): at ten units a pixel, 20,20 40 x 20.
const std::initializer_list<int> kBox = {400, 600, 200, 200};

// Window 0..1000 both ways onto a 100 x 100 target: ten units a pixel.
WmfBuilder tenToOne()
{
    WmfBuilder b(QRect(0, 0, 1000, 1000));
    b.rec(SETWINDOWORG, {0, 0}).rec(SETWINDOWEXT, {1000, 1000});
    return b;
}

// The rows of a table under tests/data/wmf: fields between |, trimmed; # lines are comments.
std::vector<QStringList> rowsOf(const QString &file)
{
    QFile f(kScripts + file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(file));
    std::vector<QStringList> rows;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = line.split(QLatin1Char('|'));
        for (QString &field : fields)
            field = field.trimmed();
        rows.push_back(fields);
    }
    return rows;
}

QRectF rectOf(const QStringList &xywh)
{
    return QRectF(xywh[0].toDouble(), xywh[1].toDouble(), xywh[2].toDouble(), xywh[3].toDouble());
}

// A bitmap row's colour table or bits: #rrggbb entries (a table's are the other way round), hex,
// or "zeros N".
QByteArray bytesOfRow(const QString &field)
{
    QByteArray out;
    const QStringList words = field.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (const QColor c(words[i]); words[i].startsWith(QLatin1Char('#')))
            out += B::colour(QColor(c.blue(), c.green(), c.red()));
        else if (words[i] == QLatin1String("zeros"))
            out += QByteArray(words[++i].toInt(), '\0');
        else
            out += QByteArray::fromHex(words[i].toLatin1());
    }
    return out;
}

// A page with each thing the writer writes.
QByteArray writerPage()
{
    Writer w(7200, 1440);
    const TextStyle title{.points = 24, .bold = true, .colour = QColor(0, 0, 160), .align = Qt::AlignHCenter};  // Times New Roman
    w.text(3600, 600, QStringLiteral("Other Planets: 25°C"), title);
    w.line(QPoint(0, 700), QPoint(7200, 700), Qt::red, 30);
    w.rectangle(QRect(100, 800, 1000, 400), QColor(255, 255, 0), Qt::black, 15);
    w.ellipse(QRect(1200, 800, 400, 400), Qt::blue);
    w.polygon(QPolygon({{2000, 800}, {2400, 1200}, {1600, 1200}}), Qt::green);
    QImage img(4, 2, QImage::Format_RGB32);
    img.fill(QColor(10, 200, 30));
    img.setPixel(0, 0, qRgb(200, 0, 0));
    w.image(QRect(3000, 800, 800, 400), img);
    return w.finish();
}

}  // namespace

class TestWmf : public QObject {
    Q_OBJECT
private slots:
    // Each case of each script played; what it draws is the case's golden file.
    void scripts_data()
    {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<QStringList>("lines");
        for (const QString &file : QDir(kScripts).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
            const QString family = file.chopped(4);
            for (const Script &s : readScript(kScripts + file))
                QTest::newRow(qPrintable(family + ": " + s.name)) << family + "/" + golden::slug(s.name) << s.lines;
        }
    }
    void scripts()
    {
        QFETCH(QString, golden);
        QFETCH(QStringList, lines);
        QSizeF target(100, 100);
        const QByteArray bytes = bytesOf(lines, &target);
        QCOMPARE_GOLDEN("wmf/" + golden, dump(playRecorded(bytes, target.width(), target.height())));
    }

    // A clip's rectangles after a cut or an intersection: the rows are in clipareas.rows.
    void clipAreas_data()
    {
        QTest::addColumn<QList<QRectF>>("start");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QRectF>("with");
        QTest::addColumn<QStringList>("inside");
        QTest::addColumn<QStringList>("outside");
        QTest::addColumn<int>("rects");
        for (const QStringList &c : rowsOf(QStringLiteral("clipareas.rows"))) {
            QList<QRectF> start;
            for (const QString &r : c[1].split(QLatin1Char(';')))
                start << rectOf(r.split(QLatin1Char(' '), Qt::SkipEmptyParts));
            const QStringList with = c[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QTest::newRow(qPrintable(c[0])) << start << with[0] << rectOf(with.mid(1))
                                            << c[3].split(QLatin1Char(' '), Qt::SkipEmptyParts)
                                            << c[4].split(QLatin1Char(' '), Qt::SkipEmptyParts) << c[5].toInt();
        }
    }
    void clipAreas()
    {
        QFETCH(QList<QRectF>, start);
        QFETCH(QString, op);
        QFETCH(QRectF, with);
        QFETCH(QStringList, inside);
        QFETCH(QStringList, outside);
        const wmf::ClipArea before = wmf::ClipArea::unionOf(start);
        const wmf::ClipArea after = op == QLatin1String("cut") ? before.subtracted(with) : before.intersected(with);
        QTEST(int(after.rects().size()), "rects");
        for (const QRectF &r : after.rects())
            QVERIFY(!r.isEmpty());
        const QPainterPath path = after.toPath();
        const auto point = [](const QString &xy) {
            return QPointF(xy.section(',', 0, 0).toDouble(), xy.section(',', 1).toDouble());
        };
        for (const QString &p : inside)
            QVERIFY2(path.contains(point(p)), qPrintable(p + " left out"));
        for (const QString &p : outside)
            QVERIFY2(!path.contains(point(p)), qPrintable(p + " kept"));
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
        b.raw(CREATEFONTINDIRECT, B::font({height, 0, escapement, 0, 700, 0x0101, charset << 8, 0, 0}))  // bold, italic, underlined
            .rec(SELECTOBJECT, {0})
            .rec(SETTEXTALIGN, {align})
            .raw(SETTEXTCOLOR, B::colour(Qt::darkGreen))
            .rec(SETBKMODE, {1})
            .raw(TEXTOUT, B::textOut(500, 500, bytes));
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

    // Text set at the current position moves it on, by the text's width in its font. (The ext
    // text record, its box and advances, is a script.)
    void textMovesTheCurrentPosition()
    {
        WmfBuilder b = tenToOne();
        b.rec(MOVETO, {500, 100}).rec(SETTEXTALIGN, {24 | 1}).rec(SETBKMODE, {1});
        b.raw(TEXTOUT, B::textOut(900, 900, "ab")).raw(TEXTOUT, B::textOut(900, 900, "cd"));
        const auto texts = playRecorded(b.bytes()).of(Drawn::Text);
        QCOMPARE(texts.size(), std::size_t(2));
        QCOMPARE(texts[0].origin, QPointF(10, 50));
        const double w = QFontMetricsF(texts[0].font).horizontalAdvance(QStringLiteral("ab"));
        QVERIFY(std::abs(texts[1].origin.x() - (10 + w)) < 0.1);
    }

    void dibs_data()
    {
        QTest::addColumn<QByteArray>("bitmap");
        QTest::addColumn<QSize>("size");          // 0 x 0: refused
        QTest::addColumn<QStringList>("pixels");  // row by row from the top
        for (const QStringList &c : rowsOf(QStringLiteral("bitmaps.rows"))) {
            const QStringList h = c[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const QStringList size = c[4].split(QLatin1Char('x'));
            const QByteArray bitmap =
                B::dib(h[0].toInt(), h[1].toInt(), h[2].toInt(), h[3].toInt(), bytesOfRow(c[2]), bytesOfRow(c[3]), h[4].toInt());
            QTest::newRow(qPrintable(c[0]))
                << bitmap << (size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize(0, 0))
                << c[5].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
        const QByteArray lyingHeader = QByteArray::fromHex("ffffff7f") + QByteArray(60, '\0');
        QTest::newRow("header size lies") << lyingHeader << QSize(0, 0) << QStringList();
    }
    void dibs()
    {
        QFETCH(QByteArray, bitmap);
        QFETCH(QSize, size);
        QFETCH(QStringList, pixels);
        const QImage img = decodeDib(reinterpret_cast<const uchar *>(bitmap.constData()), bitmap.size(), 0, {});
        QCOMPARE(img.size(), size);
        for (int i = 0; i < pixels.size(); ++i)
            QCOMPARE(QColor(img.pixel(i % size.width(), i / size.width())).name(), pixels[i]);
        // And played through STRETCHDIB onto its place, or not at all; either way the file goes on.
        const QSize from = size.isEmpty() ? QSize(2, 2) : size;
        const QByteArray record = B::stretchDib(100, 200, 300, 400, bitmap, from.width(), from.height());
        const auto o = playRecorded(tenToOne().raw(STRETCHDIB, record).rec(RECTANGLE, kBox).bytes());
        const auto images = o.of(Drawn::Image);
        QCOMPARE(images.size(), std::size_t(size.isEmpty() ? 0 : 1));
        QCOMPARE(o.of(Drawn::Path).size(), std::size_t(1));
        if (!images.empty()) {
            QCOMPARE(images[0].box, QRectF(10, 20, 30, 40));
            QCOMPARE(images[0].image.size(), size);
        }
    }

    void readOrRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSizeF>("inches");  // none: refused, with a message
        QTest::newRow("placeable, 576 a inch") << B(QRect(100, 100, 576, 288), 576).bytes() << QSizeF(1, 0.5);
        QTest::newRow("plain, window in twips")
            << B(QRect(), 0, false).rec(SETWINDOWORG, {0, 0}).rec(SETWINDOWEXT, {720, 1440}).bytes() << QSizeF(1, 0.5);
        QTest::newRow("plain, drawn in pixels") << B(QRect(), 0, false).rec(RECTANGLE, {47, 191, 0, 0}).bytes() << QSizeF(2, 0.5);
        const QByteArray good = tenToOne().rec(RECTANGLE, kBox).bytes();
        QTest::newRow("empty") << QByteArray() << QSizeF();
        QTest::newRow("placeable key only") << good.left(4) << QSizeF();
        QTest::newRow("header cut short") << good.left(30) << QSizeF();
        QTest::newRow("not a metafile") << QByteArray(200, 'x') << QSizeF();
        QTest::newRow("record size 0") << tenToOne().lyingSize(0, RECTANGLE).bytes(false) << QSizeF();
        QTest::newRow("record size 1") << tenToOne().lyingSize(1, RECTANGLE).bytes(false) << QSizeF();
        QTest::newRow("record size 2") << tenToOne().lyingSize(2, RECTANGLE).bytes(false) << QSizeF();
        QTest::newRow("record past the end") << tenToOne().lyingSize(0x7FFFFFFF, RECTANGLE).bytes(false) << QSizeF();
        // The record's own three words are there; it claims one or two more.
        QTest::newRow("record one word past the end") << tenToOne().lyingSize(4, RECTANGLE).bytes(false) << QSizeF();
        QTest::newRow("record two words past the end") << tenToOne().lyingSize(5, RECTANGLE).bytes(false) << QSizeF();
        QTest::newRow("empty frame") << B(QRect(0, 0, 1, 1)).bytes() << QSizeF();
        QTest::newRow("zero units an inch") << B(QRect(0, 0, 100, 100), 0).bytes() << QSizeF();
    }
    void readOrRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSizeF, inches);
        const auto m = parse(bytes);
        QCOMPARE(bool(m), inches.isValid());
        QCOMPARE(m.error().isEmpty(), inches.isValid());
        if (m) {
            QVERIFY(std::abs(m->sizeInches().width() - inches.width()) < 0.02);
            QVERIFY(std::abs(m->sizeInches().height() - inches.height()) < 0.02);
        }
    }

    void writerPageReadsBackAndSurvivesTruncation()
    {
        const QByteArray whole = writerPage();
        const auto m = parse(whole);
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
        // Cut at every byte: parsed or refused, and what parses plays.
        int parsed = 0;
        for (qsizetype n = 0; n < whole.size(); ++n) {
            if (auto cut = parse(whole.left(n))) {
                ++parsed;
                RecordingOutput o;
                play(*cut, o, QRectF(0, 0, 200, 100));
            }
        }
        QVERIFY(parsed > 0);
    }
};

QTEST_MAIN(TestWmf)
#include "tst_wmf.moc"
