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
#include <stdexcept>
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
    double size;  // relative diameter on the page (not to scale: the giants would not fit)
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
}

// A row of planet pictures (outlines on paper), named beneath.
void planetRow(Writer &w, const Layout &l, QRect area, const QStringList &names)
{
    const int d = std::min(area.height() - 400, area.width() / int(names.size()) - 300);
    const int gap = (area.width() - d * int(names.size())) / int(names.size());
    for (int i = 0; i < names.size(); ++i) {
        const int x = area.left() + gap / 2 + i * (d + gap);
        const QRect box(x, area.top(), d, d);
        if (l.print) {
            w.ellipse(box.adjusted(d / 10, d / 10, -d / 10, -d / 10), QColor(225, 225, 225), Qt::black, 15);
        } else {
            const int px = d / 15;  // drawn at screen resolution
            w.image(box, planetImage(names[i].toLower(), QSize(px, px), 1.0, -14, 24));
        }
        caption(w, l, x + d / 2, area.top() + d + 280, names[i]);
    }
}

// A thermometer with its parts named.
void thermometerParts(Writer &w, const Layout &l, QRect area)
{
    const int cx = area.left() + area.width() / 3;
    const int top = area.top() + 60, bulbR = 260, tubeW = 200;
    const int bulbY = area.bottom() - bulbR - 40;
    const QColor glass = l.print ? QColor(240, 240, 240) : QColor(225, 235, 248), red = l.print ? QColor(90, 90, 90) : QColor(220, 30, 30);
    w.rectangle(QRect(cx - tubeW / 2, top, tubeW, bulbY - top), glass, l.ink, 15);
    w.ellipse(QRect(cx - bulbR, bulbY - bulbR, 2 * bulbR, 2 * bulbR), red, l.ink, 15);
    const int liquidTop = top + (bulbY - top) * 45 / 100;
    w.rectangle(QRect(cx - 40, liquidTop, 80, bulbY - liquidTop), red);
    for (int i = 0; i <= 10; ++i) {
        const int y = top + 100 + i * (bulbY - top - 200) / 10;
        w.line(QPoint(cx + tubeW / 2, y), QPoint(cx + tubeW / 2 + (i % 5 ? 100 : 180), y), l.ink, 12);
    }
    TextStyle s = sized(l.body, l.print ? 11 : 11.5, true);
    s.colour = l.accent;
    auto label = [&](QPoint at, QPoint to, const QString &text) {
        w.line(to, at, l.faint, 15);
        w.text(at.x() + 60, at.y() + 60, text, s);
    };
    const int labelX = cx + tubeW / 2 + 900;
    label(QPoint(labelX, top + 200), QPoint(cx + tubeW / 2 + 200, top + 200), QStringLiteral("scale"));
    label(QPoint(labelX, top + (bulbY - top) / 4), QPoint(cx, top + (bulbY - top) / 4), QStringLiteral("thin glass tube"));
    label(QPoint(labelX, liquidTop + 300), QPoint(cx + 40, liquidTop + 300), QStringLiteral("liquid rises when warmer"));
    label(QPoint(labelX, bulbY), QPoint(cx + bulbR, bulbY), QStringLiteral("bulb of liquid"));
}

// The Celsius and Fahrenheit scales side by side, with the temperatures to remember.
void scales(Writer &w, const Layout &l, QRect area)
{
    const int top = area.top() + 300, bottom = area.bottom() - 100;
    auto yOfC = [&](double c) { return int(bottom - (c + 10) / 120.0 * (bottom - top)); };  // -10 to 110 degrees C
    const int cX = area.left() + area.width() * 28 / 100, fX = area.left() + area.width() * 52 / 100;
    TextStyle head = sized(l.body, l.print ? 11 : 11.5, true);
    head.colour = l.accent;
    head.align = Qt::AlignHCenter;
    w.text(cX, area.top() + 180, QStringLiteral("°C"), head);
    w.text(fX, area.top() + 180, QStringLiteral("°F"), head);
    w.line(QPoint(cX, yOfC(-10)), QPoint(cX, yOfC(110)), l.ink, 25);
    w.line(QPoint(fX, yOfC(-10)), QPoint(fX, yOfC(110)), l.ink, 25);
    TextStyle num = sized(l.body, l.print ? 10 : 10.5);
    num.colour = l.ink;
    for (int c = 0; c <= 100; c += 10) {
        w.line(QPoint(cX - 100, yOfC(c)), QPoint(cX, yOfC(c)), l.ink, 12);
        num.align = Qt::AlignRight;
        w.text(cX - 140, yOfC(c) + 60, QString::number(c), num);
    }
    for (int f = 20; f <= 220; f += 20) {
        const double c = (f - 32) * 5.0 / 9.0;
        w.line(QPoint(fX, yOfC(c)), QPoint(fX + 100, yOfC(c)), l.ink, 12);
        num.align = Qt::AlignLeft;
        w.text(fX + 140, yOfC(c) + 60, QString::number(f), num);
    }
    struct Mark {
        double c;
        const char *what;
    };
    const Mark marks[] = {{100, "water boils: 100 °C = 212 °F"}, {37, "body: 37 °C = 98.6 °F"}, {25, "warm room: 25 °C = 77 °F"}, {0, "water freezes: 0 °C = 32 °F"}};
    TextStyle s = sized(l.body, l.print ? 10.5 : 11, true);
    s.colour = l.accent;
    for (const Mark &m : marks) {
        const int y = yOfC(m.c);
        w.line(QPoint(cX, y), QPoint(fX + 600, y), l.print ? Qt::black : QColor(255, 200, 0), 15);
        w.ellipse(QRect(cX - 45, y - 45, 90, 90), l.print ? Qt::black : QColor(255, 200, 0));
        w.ellipse(QRect(fX - 45, y - 45, 90, 90), l.print ? Qt::black : QColor(255, 200, 0));
        w.text(fX + 700, y + 60, QString::fromUtf8(m.what), s);
    }
}

int pictureHeight(const QString &name, const Layout &l)
{
    if (name == QLatin1String("solar-system"))
        return 1500;
    if (name == QLatin1String("rocky") || name == QLatin1String("giants"))
        return l.print ? 1900 : 1800;
    if (name == QLatin1String("thermometer"))
        return l.print ? 3200 : 2600;
    if (name == QLatin1String("scales"))
        return l.print ? 4800 : 4400;
    throw std::runtime_error("no picture called " + name.toStdString());
}

void picture(Writer &w, const Layout &l, const QString &name, QRect area)
{
    if (name == QLatin1String("solar-system"))
        solarSystem(w, l, area);
    else if (name == QLatin1String("rocky"))
        planetRow(w, l, area, {QStringLiteral("Mercury"), QStringLiteral("Venus"), QStringLiteral("Earth"), QStringLiteral("Mars")});
    else if (name == QLatin1String("giants"))
        planetRow(w, l, area, {QStringLiteral("Jupiter"), QStringLiteral("Saturn"), QStringLiteral("Uranus"), QStringLiteral("Neptune")});
    else if (name == QLatin1String("thermometer"))
        thermometerParts(w, l, area);
    else if (name == QLatin1String("scales"))
        scales(w, l, area);
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
        if (y > l.bottom)
            throw std::runtime_error("page " + page.toStdString() + (l.print ? " (paper)" : " (screen)") + " is too long");
    }
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

// The page's words as a screen reader and read-aloud say them: every block but the drawings, one
// to a line, in UTF-8.
QByteArray plainText(const std::vector<Block> &blocks)
{
    QStringList lines;
    for (const Block &b : blocks)
        if (b.kind != QLatin1String("picture"))
            lines << b.text;
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
