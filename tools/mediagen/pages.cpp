// SPDX-License-Identifier: GPL-3.0-or-later
// The pages of the viewers, each authored once in media/pages and laid out twice: for the
// screen (within the viewer's picture area, clear of its buttons, light text on the program's
// blue) and for paper (black on white, portrait, within 7 by 9.5 inches).
//
// A page source is a list of blocks, one to a line: "title:", "heading:", "text:", "bullet:",
// "small:" (a closing line in smaller type) and "picture:" (one of the drawings below), each
// followed by its words. Lines starting with '#' are comments.
#include "generators.h"

#include "formats/wmf/wmfwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

using wmf::TextStyle;
using wmf::Writer;

struct Block {
    QString kind, text;
};

struct Layout {
    bool print = false;
    int width = 0, height = 0;     // of the picture, twips
    int left = 0, right = 0;       // text column
    int titleRight = 0;            // the title keeps clear of the viewer's Print button
    int top = 0, bottom = 0;
    TextStyle title, heading, body, small;
    QColor ink, accent, faint;
};

Layout screenLayout()
{
    Layout l;
    l.width = 11760;   // from left 120 to the window's right edge
    l.height = 7860;   // above the page caption and the buttons (top 7920)
    l.left = 240;
    l.right = 11400;
    l.titleRight = 10300;
    l.top = 60;
    l.bottom = 7800;
    l.title = TextStyle{QStringLiteral("Times New Roman"), 24, true, false, QColor(255, 255, 0)};
    l.heading = TextStyle{QStringLiteral("Arial"), 15, true, false, QColor(128, 255, 255)};
    l.body = TextStyle{QStringLiteral("Arial"), 12.5, false, false, QColor(255, 255, 255)};
    l.small = TextStyle{QStringLiteral("Arial"), 10.5, false, true, QColor(220, 230, 255)};
    l.ink = QColor(255, 255, 255);
    l.accent = QColor(255, 255, 0);
    l.faint = QColor(110, 140, 200);
    return l;
}

Layout printLayout()
{
    Layout l;
    l.print = true;
    l.width = 10080;   // 7 inches
    l.height = 13680;  // 9.5 inches
    l.left = 0;
    l.right = 10080;
    l.titleRight = 10080;
    l.top = 0;
    l.bottom = 13680;
    l.title = TextStyle{QStringLiteral("Times New Roman"), 22, true, false, Qt::black};
    l.heading = TextStyle{QStringLiteral("Times New Roman"), 15, true, false, Qt::black};
    l.body = TextStyle{QStringLiteral("Times New Roman"), 12, false, false, Qt::black};
    l.small = TextStyle{QStringLiteral("Times New Roman"), 10.5, false, true, Qt::black};
    l.ink = Qt::black;
    l.accent = Qt::black;
    l.faint = QColor(150, 150, 150);
    return l;
}

QFont qfont(const TextStyle &s)
{
    QFont f(s.family);
    f.setPixelSize(int(std::lround(s.points * 96.0 / 72.0)));
    f.setBold(s.bold);
    f.setItalic(s.italic);
    return f;
}

double twipsWide(const QFontMetricsF &fm, const QString &s) { return fm.horizontalAdvance(s) * 15.0; }

// Words wrapped to a width in twips.
QStringList wrap(const QString &text, const TextStyle &style, double width)
{
    const QFontMetricsF fm(qfont(style));
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && twipsWide(fm, candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

int lineHeight(const TextStyle &s) { return int(std::lround(QFontMetricsF(qfont(s)).lineSpacing() * 15.0 * 1.08)); }
int ascent(const TextStyle &s) { return int(std::lround(QFontMetricsF(qfont(s)).ascent() * 15.0)); }

TextStyle sized(TextStyle s, double points, bool bold = false)
{
    s.points = points;
    s.bold = bold;
    s.italic = false;
    return s;
}

// ---- drawings ------------------------------------------------------------------------------

struct PlanetInfo {
    const char *name;
    QColor colour;
    double size;  // relative diameter on the page: not to scale, as the drawing says, or the rocky planets would be dots
};

const PlanetInfo kSolarSystem[] = {
    {"Mercury", QColor(160, 155, 150), 0.30}, {"Venus", QColor(230, 205, 140), 0.50}, {"Earth", QColor(60, 120, 210), 0.52},
    {"Mars", QColor(200, 100, 60), 0.38},     {"Jupiter", QColor(210, 170, 130), 1.0}, {"Saturn", QColor(220, 195, 140), 0.85},
    {"Uranus", QColor(170, 220, 228), 0.62},  {"Neptune", QColor(60, 95, 205), 0.60},
};

void caption(Writer &w, const Layout &l, int x, int y, const QString &text)
{
    TextStyle s = sized(l.body, l.print ? 10 : 10.5, true);
    s.colour = l.ink;
    s.align = Qt::AlignHCenter;
    w.text(x, y, text, s);
}

// The Sun at the left edge and the eight planets in order, named.
void solarSystem(Writer &w, const Layout &l, QRect area)
{
    const int mid = area.top() + area.height() * 45 / 100;
    const int sunR = area.height() * 45 / 100;
    w.ellipse(QRect(area.left() - sunR, mid - sunR, 2 * sunR, 2 * sunR), l.print ? QColor(235, 235, 235) : QColor(255, 200, 40), l.print ? Qt::black : QColor(255, 140, 0), 20);
    caption(w, l, area.left() + sunR / 3, mid + 60, QStringLiteral("Sun"));
    const int unit = area.height() * 55 / 100;
    double x = area.left() + sunR + 300;
    const double step = (area.right() - x - unit / 2) / 7.5;
    for (const PlanetInfo &p : kSolarSystem) {
        const int d = std::max(60, int(unit * p.size));
        const int cx = int(x);
        if (QLatin1String(p.name) == QLatin1String("Saturn"))
            w.ellipse(QRect(cx - d * 9 / 10, mid - d / 5, d * 18 / 10, d * 2 / 5), QColor(), l.print ? Qt::black : QColor(230, 210, 160), 25);
        w.ellipse(QRect(cx - d / 2, mid - d / 2, d, d), l.print ? QColor(215, 215, 215) : p.colour, l.print ? Qt::black : QColor(), 12);
        caption(w, l, cx, mid + unit / 2 + 330, QString::fromLatin1(p.name));
        x += step;
    }
    TextStyle s = sized(l.small, l.print ? 9 : 10);
    s.colour = l.print ? Qt::black : QColor(200, 210, 235);
    s.align = Qt::AlignRight;
    w.text(area.right(), area.top() + ascent(s), QStringLiteral("Not to scale"), s);
}

// Planets' diameters in km, for the rows drawn to scale.
double diameterKm(const QString &name)
{
    static const std::map<QString, double> km = {
        {QStringLiteral("Mercury"), 4879}, {QStringLiteral("Venus"), 12104},   {QStringLiteral("Earth"), 12756},  {QStringLiteral("Mars"), 6792},
        {QStringLiteral("Jupiter"), 142984}, {QStringLiteral("Saturn"), 120536}, {QStringLiteral("Uranus"), 51118}, {QStringLiteral("Neptune"), 49528},
    };
    return km.at(name);
}

// Saturn's picture for a globe of diameter 1: planetImage's rings, tilted by 14 degrees and opened
// by 24, reach this wide and this tall.
constexpr double kSaturnWide = 2.21, kSaturnTall = 1.45;

// A strip of space with planets drawn to one scale, the largest filling the strip's height, named
// beneath. Saturn's rings are drawn about its globe, so its picture is wider than its globe.
void planetRow(Writer &w, const Layout &l, QRect area, const QStringList &names, const QString &note)
{
    const int strip = area.height() - 420;  // the names go beneath
    double twipsPerKm = 1e9;  // the largest that lets every picture, Saturn's rings and all, fit the strip
    for (const QString &n : names)
        twipsPerKm = std::min(twipsPerKm, (strip - 160) / (diameterKm(n) * (n == QLatin1String("Saturn") ? kSaturnTall : 1.0)));
    auto pictureWidth = [&](const QString &n) {
        const double d = diameterKm(n) * twipsPerKm;
        return n == QLatin1String("Saturn") ? d * kSaturnWide : d;
    };
    double used = 0;
    for (const QString &n : names)
        used += pictureWidth(n);
    const double gap = (area.width() - used) / names.size();
    const QRect space(area.left(), area.top(), area.width(), strip);
    w.rectangle(space, l.print ? QColor(255, 255, 255) : QColor(0, 0, 0), l.print ? Qt::black : QColor(), 12);
    double x = area.left() + gap / 2;
    const int mid = area.top() + strip / 2;
    for (const QString &n : names) {
        const int d = std::max(30, int(std::lround(diameterKm(n) * twipsPerKm)));
        const int cx = int(std::lround(x + pictureWidth(n) / 2));
        if (l.print) {
            if (n == QLatin1String("Saturn"))
                w.ellipse(QRect(cx - int(d * kSaturnWide / 2), mid - d / 5, int(d * kSaturnWide), d * 2 / 5), QColor(), Qt::black, 15);
            w.ellipse(QRect(cx - d / 2, mid - d / 2, d, d), QColor(225, 225, 225), Qt::black, 12);
        } else {
            // Drawn at screen resolution (15 twips to the pixel), sized so that planetImage's globe
            // comes out at this diameter; Saturn's picture has room for its tilted rings.
            const double px = d / 15.0;
            const bool ringed = n == QLatin1String("Saturn");
            const int wpx = int(std::ceil(px * (ringed ? kSaturnWide : 1.0) + 3)), hpx = int(std::ceil(px * (ringed ? kSaturnTall : 1.0) + 3));
            const QSize size(wpx, hpx);
            w.image(QRect(cx - wpx * 15 / 2, mid - hpx * 15 / 2, wpx * 15, hpx * 15), planetImage(n.toLower(), size, 1.5, -14, 24));
        }
        caption(w, l, cx, area.top() + strip + 300, n);
        x += pictureWidth(n) + gap;
    }
    TextStyle s = sized(l.small, l.print ? 9 : 10);
    s.colour = l.print ? Qt::black : QColor(200, 210, 235);
    s.align = Qt::AlignRight;  // the top right is clear: the rows end with a small planet
    w.text(area.right() - 90, area.top() + 60 + ascent(s), note, s);
}

// What the two thermometers read, in degrees Celsius: the drawing and its words both use them.
constexpr int kReadingA = 24, kReadingB = -4;

// Two thermometers lying along the page, numbered in degrees Celsius from -10 to 40 with a small
// mark every 2 degrees, for pupils to read: A shows 24 °C and has its parts named; B is below zero.
void thermometerReadings(Writer &w, const Layout &l, QRect area)
{
    const int from = -10, to = 40;
    const int left = area.left() + 900, right = area.right() - 1900;
    auto xOf = [&](double c) { return int(std::lround(left + 250 + (c - from) * (right - left - 400) / double(to - from))); };
    const QColor glass = l.print ? QColor(245, 245, 245) : QColor(225, 235, 248), red = l.print ? QColor(90, 90, 90) : QColor(220, 30, 30);
    TextStyle num = sized(l.body, l.print ? 10 : 10.5);
    num.colour = l.ink;
    num.align = Qt::AlignHCenter;
    TextStyle name = sized(l.body, l.print ? 13 : 14, true);
    name.colour = l.accent;
    TextStyle part = sized(l.body, l.print ? 10 : 10.5, true);
    part.colour = l.accent;
    auto thermometer = [&](int top, double reading, const QString &letter, bool named) {
        const int tubeTop = top + 330, tubeH = 170, bulbR = 190;
        const int tubeMid = tubeTop + tubeH / 2;
        w.text(area.left() + 200, tubeMid + 140, letter, name);
        w.rectangle(QRect(left, tubeTop, right - left, tubeH), glass, l.ink, 15);
        w.ellipse(QRect(left - 2 * bulbR + 60, tubeMid - bulbR, 2 * bulbR, 2 * bulbR), red, l.ink, 15);
        w.rectangle(QRect(left - 60, tubeMid - 40, xOf(reading) - left + 60, 80), red);
        for (int c = from; c <= to; c += 2) {
            const bool ten = c % 10 == 0;
            w.line(QPoint(xOf(c), tubeTop), QPoint(xOf(c), tubeTop - (ten ? 170 : 90)), l.ink, 12);
            if (ten)
                w.text(xOf(c), tubeTop - 210, QString::number(c).replace(QLatin1Char('-'), QChar(0x2212)), num);
        }
        w.text(right + 120, tubeMid + 80, QStringLiteral("°C"), part);
        if (named) {
            const int y = tubeTop + tubeH + 230;
            auto label = [&](int x, const QString &text) {
                w.line(QPoint(x, tubeTop + tubeH - 20), QPoint(x, y - 170), l.faint, 15);
                TextStyle s = part;
                s.align = Qt::AlignHCenter;
                w.text(x, y, text, s);
            };
            label(left - bulbR + 60, QStringLiteral("bulb"));
            label(xOf(8), QStringLiteral("liquid"));
            label(xOf(33), QStringLiteral("thin glass tube"));
        }
    };
    thermometer(area.top(), kReadingA, QStringLiteral("A"), true);
    thermometer(area.top() + area.height() * 55 / 100, kReadingB, QStringLiteral("B"), false);
}

// The water cycle in one picture: the Sun warms the sea, water evaporates, the vapour cools and
// condenses into a cloud over the hills, rain falls and a river takes it back to the sea.
void waterCycle(Writer &w, const Layout &l, QRect area)
{
    const int W = area.width(), H = area.height();
    auto at = [&](double fx, int y) { return QPoint(area.left() + int(W * fx), area.top() + y); };
    const bool p = l.print;
    const QColor edge = p ? QColor(Qt::black) : QColor();
    const QColor sea = p ? QColor(215, 215, 215) : QColor(40, 110, 200), land = p ? QColor(240, 240, 240) : QColor(70, 140, 60),
                 cloud = p ? QColor(255, 255, 255) : QColor(235, 240, 250), sun = p ? QColor(240, 240, 240) : QColor(255, 200, 40),
                 arrow = p ? QColor(Qt::black) : QColor(255, 255, 0), rain = p ? QColor(Qt::black) : QColor(150, 200, 255),
                 river = p ? QColor(Qt::black) : QColor(60, 130, 220);
    const int seaTop = H - 520;
    w.polygon(QPolygon({at(0, seaTop), at(0.46, seaTop), at(0.50, H), at(0, H)}), sea, edge, 12);
    w.polygon(QPolygon({at(0.46, seaTop), at(0.56, H - 800), at(0.66, H - 1250), at(0.74, H - 1050), at(0.84, H - 1400), at(1, H - 1150), at(1, H), at(0.50, H)}),
              land, edge, 12);
    w.polyline(QPolygon({at(0.80, H - 1150), at(0.72, H - 800), at(0.62, H - 520), at(0.52, H - 330), at(0.47, H - 300)}), river, 60);
    w.ellipse(QRect(at(0.02, 120), QSize(700, 700)), sun, p ? QColor(Qt::black) : QColor(255, 140, 0), 15);
    // A cloud of overlapping puffs over the hills.
    for (const auto &[fx, y, d] : {std::tuple{0.63, 260, 520}, {0.68, 80, 640}, {0.74, 160, 600}, {0.79, 280, 460}, {0.66, 380, 420}, {0.72, 380, 420}})
        w.ellipse(QRect(at(fx, y), QSize(d, d)), cloud, edge, p ? 12 : 0);
    auto arrowHead = [&](QPoint tip, QPoint dir) {  // dir: a unit step, in twips
        const QPoint back = tip - dir * 130, side(-dir.y() * 80, dir.x() * 80);
        w.polygon(QPolygon({back + side, tip, back - side}), arrow);
    };
    for (double fx : {0.22, 0.29}) {
        w.line(at(fx, seaTop - 60), at(fx, 900), arrow, 30);
        arrowHead(at(fx, 900), QPoint(0, -1));
    }
    w.line(at(0.31, 820), at(0.61, 620), arrow, 30);
    arrowHead(at(0.61, 620), QPoint(1, 0));
    for (int i = 0; i < 6; ++i) {
        const QPoint top = at(0.655 + i * 0.022, 860 + (i % 2) * 70);
        w.line(top, top + QPoint(-50, 300), rain, 20);
    }
    TextStyle s = sized(l.body, p ? 10 : 10.5, true);
    s.colour = p ? QColor(Qt::black) : QColor(255, 255, 255);
    const int lh = lineHeight(s);
    auto words = [&](QPoint where, const QStringList &lines) {
        for (int i = 0; i < lines.size(); ++i)
            w.text(where.x(), where.y() + i * lh, lines[i], s);
    };
    words(at(0.31, 1250), {QStringLiteral("1 Evaporating: warmed by the Sun,"), QStringLiteral("water turns into water vapour")});
    words(at(0.31, 200), {QStringLiteral("2 Condensing: high up, the vapour"), QStringLiteral("cools into drops that make clouds")});
    words(at(0.85, 850), {QStringLiteral("3 Rain falls"), QStringLiteral("on the hills")});
    words(at(0.52, H - 90), {QStringLiteral("4 Rivers carry it back to the sea")});
}

int pictureHeight(const QString &name, const Layout &l)
{
    if (name == QLatin1String("solar-system"))
        return 1500;
    if (name == QLatin1String("rocky") || name == QLatin1String("giants"))
        return l.print ? 1900 : 1800;
    if (name == QLatin1String("thermometer"))
        return l.print ? 2000 : 1700;
    if (name == QLatin1String("water-cycle"))
        return l.print ? 3300 : 2350;
    throw std::runtime_error("no picture called " + name.toStdString());
}

void picture(Writer &w, const Layout &l, const QString &name, QRect area)
{
    if (name == QLatin1String("solar-system"))
        solarSystem(w, l, area);
    else if (name == QLatin1String("rocky"))
        planetRow(w, l, area, {QStringLiteral("Mercury"), QStringLiteral("Venus"), QStringLiteral("Earth"), QStringLiteral("Mars")},
                  QStringLiteral("Sizes to scale"));
    else if (name == QLatin1String("giants"))
        planetRow(w, l, area, {QStringLiteral("Jupiter"), QStringLiteral("Saturn"), QStringLiteral("Uranus"), QStringLiteral("Neptune"), QStringLiteral("Earth")},
                  QStringLiteral("Sizes to scale, with the Earth"));
    else if (name == QLatin1String("thermometer"))
        thermometerReadings(w, l, area);
    else if (name == QLatin1String("water-cycle"))
        waterCycle(w, l, area);
}

// ---- layout --------------------------------------------------------------------------------

QByteArray layOut(const std::vector<Block> &blocks, const Layout &l, const QString &page)
{
    Writer w(l.width, l.height);
    int y = l.top;
    auto lines = [&](const QString &text, const TextStyle &style, int left, int right, const QString &bullet = {}) {
        const int h = lineHeight(style);
        bool first = true;
        for (const QString &line : wrap(text, style, right - left)) {
            if (first && !bullet.isEmpty())
                w.text(left - 260, y + ascent(style), bullet, style);
            w.text(left, y + ascent(style), line, style);
            y += h;
            first = false;
        }
    };
    for (const Block &b : blocks) {
        if (b.kind == QLatin1String("title")) {
            lines(b.text, l.title, l.left, l.titleRight);
            y += lineHeight(l.body) / 3;
        } else if (b.kind == QLatin1String("heading")) {
            y += lineHeight(l.body) / 3;
            lines(b.text, l.heading, l.left, l.right);
        } else if (b.kind == QLatin1String("text")) {
            lines(b.text, l.body, l.left, l.right);
            y += lineHeight(l.body) / 4;
        } else if (b.kind == QLatin1String("bullet")) {
            lines(b.text, l.body, l.left + 360, l.right, QStringLiteral("•"));
            y += lineHeight(l.body) / 8;
        } else if (b.kind == QLatin1String("small")) {
            lines(b.text, l.small, l.left, l.right - 400);  // italics are drawn a little wider than measured
        } else if (b.kind == QLatin1String("picture")) {
            const int h = pictureHeight(b.text, l);
            picture(w, l, b.text, QRect(l.left, y, l.right - l.left, h));
            y += h;
        } else {
            throw std::runtime_error("unknown block \"" + b.kind.toStdString() + "\" in " + page.toStdString());
        }
    }
    // The whole overrun, so that whoever writes the page knows how much to take out.
    if (y > l.bottom)
        throw std::runtime_error("page " + page.toStdString() + (l.print ? " (paper)" : " (screen)") + " is too long by " + std::to_string(y - l.bottom) +
                                 " twips, about " + std::to_string((y - l.bottom + lineHeight(l.body) - 1) / lineHeight(l.body)) + " lines");
    return w.finish();
}

std::vector<Block> readPage(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + path.toStdString());
    QString source = QString::fromUtf8(f.readAll());
    // The program's version, from the build, so the pages always name the version they ship in.
    if (source.contains(QLatin1String("@VERSION@"))) {
        const QString version = qEnvironmentVariable("QUILLMOOR_VERSION");
        if (version.isEmpty())
            throw std::runtime_error("QUILLMOOR_VERSION is not set for " + path.toStdString());
        source.replace(QLatin1String("@VERSION@"), version);
    }
    std::vector<Block> blocks;
    for (const QString &raw : source.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        static const QStringList kinds = {QStringLiteral("title"), QStringLiteral("heading"), QStringLiteral("text"),
                                          QStringLiteral("bullet"), QStringLiteral("small"), QStringLiteral("picture")};
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0 || !kinds.contains(line.left(colon).trimmed())) {
            if (blocks.empty())
                throw std::runtime_error("text before any block in " + path.toStdString());
            blocks.back().text += QLatin1Char(' ') + line;  // a block's words may run on over lines
            continue;
        }
        blocks.push_back({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    return blocks;
}

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// Where a thermometer's liquid ends, as a pupil counts it: marks of 2 degrees from the nearest
// numbered ten towards zero. "two marks below 0 °C" for -4.
QString readingWords(int celsius)
{
    const int ten = celsius / 10 * 10, marks = std::abs(celsius - ten) / 2;
    static const char *const counts[] = {"no", "one", "two", "three", "four"};
    return QStringLiteral("%1 mark%2 %3 %4 °C")
        .arg(QLatin1String(counts[marks]), marks == 1 ? QString() : QStringLiteral("s"), celsius < 0 ? QStringLiteral("below") : QStringLiteral("above"),
             QString::number(ten));
}

// What a drawing shows, in words, for a pupil who cannot see it.
QString pictureWords(const QString &name)
{
    if (name == QLatin1String("solar-system"))
        return QStringLiteral("Picture, not to scale: the Sun, then the eight planets in order from it.");
    if (name == QLatin1String("rocky"))
        return QStringLiteral("Picture, sizes to scale: Mercury is the smallest, Venus is nearly as big as the Earth, and Mars is about half as wide as the Earth.");
    if (name == QLatin1String("giants"))
        return QStringLiteral("Picture, sizes to scale: Jupiter is the biggest, Saturn with its rings is a little smaller, Uranus and Neptune are less than half as wide as Jupiter, and the Earth beside them is a tiny dot.");
    if (name == QLatin1String("thermometer"))
        return QStringLiteral("Picture: two thermometers, numbered from −10 °C to 40 °C in tens, with a small mark every 2 °C. "
                              "The liquid in thermometer A ends %1. The liquid in thermometer B ends %2.")
            .arg(readingWords(kReadingA), readingWords(kReadingB));
    if (name == QLatin1String("water-cycle"))
        return QStringLiteral("Picture of the water cycle: the Sun warms the sea and water evaporates into water vapour; high up, the vapour cools and condenses into clouds; rain falls on the hills; rivers carry it back to the sea.");
    throw std::runtime_error("no words for the picture " + name.toStdString());
}

// The page's words as a screen reader and read-aloud say them: every block, a drawing by what it
// shows, one to a line, in UTF-8.
QByteArray plainText(const std::vector<Block> &blocks)
{
    QStringList lines;
    for (const Block &b : blocks)
        lines << (b.kind == QLatin1String("picture") ? pictureWords(b.text) : b.text);
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

}  // namespace

void makePage(const QString &source, const QString &dataDir)
{
    const QString name = QFileInfo(source).completeBaseName();
    const std::vector<Block> blocks = readPage(source);
    write(dataDir + QStringLiteral("/wmf/") + name + QStringLiteral(".wmf"), layOut(blocks, screenLayout(), name));
    write(dataDir + QStringLiteral("/wmf2/") + name + QStringLiteral(".wmf"), layOut(blocks, printLayout(), name));
    write(dataDir + QStringLiteral("/wmf/") + name + QStringLiteral(".txt"), plainText(blocks));
}
