// SPDX-License-Identifier: GPL-3.0-or-later
// The planets, each recognisable by its real colours and features: Mercury grey and cratered,
// Venus pale yellow cloud, Earth blue and green with its continents and cloud, Mars red with dark
// markings and a polar cap, Jupiter banded with its Great Red Spot, Saturn with its rings, Uranus
// pale cyan, Neptune deep blue. All lit from one side, on black.
#include "generators.h"
#include "noise.h"
#include "sphere.h"

#include <QImage>
#include <atomic>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

constexpr double kDeg = M_PI / 180.0;
using noise::fbm;
using noise::smoothstep;

// ---- Jupiter -------------------------------------------------------------------------------

Rgb jupiterSurface(const Vec &p)
{
    // Belts and zones by latitude, their edges stirred by turbulence.
    const double lat = latitude(p) / kDeg;
    const double stir = (fbm(p.x * 4, p.y * 9, p.z * 4, 4, 11) - 0.5) * 9 + (fbm(p.x * 12, p.y * 30, p.z * 12, 3, 12) - 0.5) * 3;
    const double q = lat + stir;
    auto belt = [&](double centre, double width) { return std::exp(-std::pow((q - centre) / width, 2)); };
    const double dark = std::clamp(0.95 * belt(13, 5.5) + 1.0 * belt(-15, 6.5) + 0.55 * belt(28, 3.5) + 0.55 * belt(-30, 4)
                                       + 0.4 * belt(40, 3) + 0.4 * belt(-42, 3.5),
                                   0.0, 1.0);
    const Rgb zone(236, 222, 196), beltColour(170, 104, 62), polar(150, 136, 122);
    Rgb c = mix(zone, beltColour, dark);
    // Fine streaks along the bands.
    const double streak = fbm(p.x * 6, p.y * 60, p.z * 6, 3, 13) - 0.5;
    c = c * (1.0 + 0.18 * streak);
    // Greyer, mottled polar regions.
    c = mix(c, polar * (0.9 + 0.2 * fbm(p.x * 8, p.y * 8, p.z * 8, 3, 14)), smoothstep(48, 66, std::abs(q)));

    // The Great Red Spot in the southern belt's edge, with a pale collar.
    const double lon = longitude(p);
    const double spotLon = -0.35;
    double dl = std::remainder(lon - spotLon, 2 * M_PI);
    const double ex = dl / (13 * kDeg), ey = (lat + 22) / (5.5 * kDeg / kDeg * 1.0);
    const double r = std::sqrt(ex * ex + ey * ey);
    if (r < 1.45) {
        const double swirl = fbm(ex * 2 + r * 3, ey * 2, r * 2, 3, 15);
        const Rgb spot = Rgb(196, 88, 52) * (0.85 + 0.3 * swirl);
        c = mix(c, Rgb(240, 226, 205), smoothstep(1.45, 1.15, r) * 0.8);
        c = mix(c, spot, smoothstep(1.08, 0.8, r));
    }
    return c;
}

// ---- Saturn --------------------------------------------------------------------------------

Rgb saturnSurface(const Vec &p)
{
    const double lat = latitude(p) / kDeg;
    const double q = lat + (fbm(p.x * 3, p.y * 10, p.z * 3, 3, 21) - 0.5) * 4;
    const double bands = 0.5 + 0.5 * std::sin(q * 0.32) * std::cos(q * 0.11);
    Rgb c = mix(Rgb(232, 212, 162), Rgb(196, 160, 102), bands * 0.7);
    c = mix(c, Rgb(222, 200, 150), std::exp(-std::pow(q / 9, 2)) * 0.6);     // bright equatorial zone
    c = mix(c, Rgb(150, 160, 160), smoothstep(55, 80, std::abs(q)) * 0.6);   // pale grey-blue poles
    return c;
}

// Transparency and colour of the ring system at a distance from Saturn's centre (in radii).
std::pair<double, Rgb> saturnRing(double r)
{
    const Rgb bright(226, 206, 164), dim(150, 128, 100);
    if (r < 1.24 || r > 2.27)
        return {0, {}};
    if (r < 1.53)
        return {0.25, dim};                                   // C ring: faint
    if (r < 1.95)
        return {0.85 + 0.1 * std::sin(r * 60), bright};      // B ring: the brightest
    if (r < 2.03)
        return {0.08, dim};                                   // the Cassini Division
    if (r > 2.205 && r < 2.22)
        return {0.1, dim};                                    // the Encke Gap
    return {0.68, mix(bright, dim, 0.25)};                    // A ring
}

void drawSaturn(QImage &img, double cx, double cy, double radius, double opening, double tilt, const Vec &light)
{
    SphereView v;
    v.cx = cx;
    v.cy = cy;
    v.radius = radius;
    v.tilt = tilt;
    v.incline = opening;
    v.light = light;
    v.limb = 0.25;
    const Vec L = light.normalised();
    const Vec normal = toViewFrame(v, Vec{0, 1, 0});  // the ring plane's normal in view space
    const double reach = 2.3 * radius;
    for (int py = std::max(0, int(cy - reach)); py < std::min(img.height(), int(cy + reach) + 1); ++py) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(py));
        for (int px = std::max(0, int(cx - reach)); px < std::min(img.width(), int(cx + reach) + 1); ++px) {
            // 2 x 2 samples per pixel: the rings are thin and need the smoothing.
            Rgb sum;
            for (int s = 0; s < 4; ++s) {
                const double x = (px + 0.25 + 0.5 * (s % 2) - cx) / radius, y = -(py + 0.25 + 0.5 * (s / 2) - cy) / radius;
                const double d2 = x * x + y * y;
                const double zPlanet = d2 < 1 ? std::sqrt(1 - d2) : -1e9;
                // Where the line of sight crosses the ring plane.
                const double zRing = -(normal.x * x + normal.y * y) / normal.z;
                const Vec ringPoint{x, y, zRing};
                auto [alpha, ringColour] = saturnRing(ringPoint.length());
                // The planet's shadow across the rings.
                const Vec along = L * ringPoint.dot(L);
                if (alpha > 0 && ringPoint.dot(L) < 0 && (ringPoint - along).length() < 1.0)
                    ringColour = ringColour * 0.12;
                else
                    ringColour = ringColour * (0.55 + 0.45 * std::abs(normal.dot(L)) / 0.5);
                Rgb c = Rgb::of(row[px]);
                const bool ringInFront = zRing > zPlanet;
                if (!ringInFront && alpha > 0)
                    c = mix(c, ringColour, alpha);
                if (d2 < 1) {
                    const Vec n{x, y, zPlanet};
                    Rgb surface = saturnSurface(toPlanetFrame(v, n)) * lighting(v, n);
                    // The rings' shadow on the globe.
                    const double t = -(n.dot(normal)) / L.dot(normal);
                    const Vec hit = n + L * t;
                    if (t > 0 && saturnRing(hit.length()).first > 0.2)
                        surface = surface * (1 - 0.6 * saturnRing(hit.length()).first);
                    c = surface;
                }
                if (ringInFront && alpha > 0)
                    c = mix(c, ringColour, alpha);
                sum = sum + c * 0.25;
            }
            row[px] = sum.pixel();
        }
    }
}

// ---- Earth ---------------------------------------------------------------------------------

struct LonLat {
    double lon, lat;
};
using Shape = std::vector<LonLat>;

// Coarse outlines of the land that faces the viewer (longitude -100 to 120).
const std::vector<Shape> &continents()
{
    static const std::vector<Shape> s = {
        // Africa
        {{-10, 35.8}, {-5, 35.9}, {10, 37}, {11, 33}, {20, 31}, {32, 31.5}, {34, 28}, {37, 22}, {39, 15}, {43, 12},
         {51, 12}, {51, 10}, {47, 4}, {41, -2}, {40, -10}, {40, -16}, {35, -24}, {32, -29}, {27, -34}, {20, -35},
         {18, -32}, {14, -23}, {12, -17}, {13, -9}, {9, -1}, {9, 4}, {4, 6}, {-4, 5}, {-8, 4.5}, {-12, 7.5},
         {-17, 14.5}, {-17, 21}, {-13, 27.5}, {-10, 30}},
        // Madagascar
        {{44, -25}, {47, -25}, {50, -16}, {49, -12}, {44, -17}},
        // Europe
        {{-9, 37}, {-9, 43.5}, {-1.5, 43.5}, {-4.5, 48.5}, {-1, 49.5}, {2, 51}, {4, 52}, {8.5, 54}, {9, 57},
         {10.5, 54.5}, {14, 54}, {21, 55}, {24, 59.5}, {30, 60}, {40, 64}, {45, 68}, {60, 69}, {60, 45}, {50, 45},
         {47, 42}, {41, 41}, {36, 41.5}, {28, 41}, {26, 40}, {24, 38}, {22, 36.5}, {20, 40}, {19.5, 42}, {16, 44},
         {13.5, 45.5}, {12.5, 44}, {16, 41.5}, {18.5, 40}, {16, 38}, {15.5, 38}, {12, 41.5}, {10, 44}, {7, 43.5},
         {3, 43}, {3, 41.5}, {0, 39}, {-0.5, 37.5}, {-2, 36.7}, {-5.5, 36}, {-7, 37}},
        // Scandinavia
        {{5, 58}, {5, 62}, {8, 63.5}, {13, 66}, {16, 69}, {20, 70}, {26, 71}, {31, 70}, {29, 69}, {24, 66},
         {21, 64}, {18, 62.5}, {18, 60}, {16, 57}, {14, 55.5}, {12.5, 56}, {11, 59}, {8, 58}},
        // Great Britain and Ireland
        {{-5.5, 50}, {1.5, 51}, {1.8, 52.8}, {0, 53.5}, {-1.5, 55}, {-2, 57.5}, {-3, 58.6}, {-5, 58.5}, {-6, 57},
         {-5, 55}, {-3, 54.5}, {-4.5, 53}, {-4.5, 52}, {-5.2, 51.5}},
        {{-10, 51.6}, {-6, 52}, {-6, 54}, {-7.5, 55.3}, {-10, 54}},
        // Arabia and the Middle East
        {{35, 36}, {36, 37}, {44, 37.5}, {48, 30}, {50, 30}, {51.5, 27}, {56, 26.5}, {56.5, 24}, {59.5, 22.5},
         {55, 17}, {52, 16}, {45, 13}, {43, 13}, {42.7, 16}, {40, 20}, {38.5, 23.5}, {35, 28}, {34.5, 29.5}, {34, 31.5}},
        // Asia
        {{60, 45}, {50, 45}, {47, 42}, {41, 41}, {44, 37.5}, {48, 30}, {50, 30}, {56, 27}, {62, 25}, {67, 24.5},
         {72.5, 21}, {73, 16}, {76.5, 8.5}, {78, 8}, {80, 13}, {80.5, 16}, {85, 19.5}, {88, 22}, {91, 22.5},
         {92, 21}, {94, 17}, {97, 16.5}, {98, 9}, {100, 6}, {100, 14}, {103, 10}, {106, 10}, {109, 12},
         {108, 21}, {115, 23}, {120, 30}, {122, 40}, {130, 43}, {140, 50}, {140, 60}, {160, 62}, {180, 66},
         {180, 72}, {140, 73}, {110, 77}, {80, 73}, {68, 69}, {60, 69}},
        // South America
        {{-80, 9}, {-75, 11}, {-71, 12}, {-62, 10.5}, {-60, 8}, {-52, 5}, {-50, 0}, {-44, -2.5}, {-35, -5},
         {-35, -9}, {-39, -13}, {-39, -18}, {-41, -22}, {-48, -26}, {-49, -29}, {-53, -34}, {-58, -34.5},
         {-57, -38}, {-62, -39}, {-65, -42}, {-65, -47}, {-68, -50}, {-68.5, -53}, {-71, -53.5}, {-75, -50},
         {-73.5, -42}, {-71.5, -30}, {-70, -18}, {-76, -14}, {-81, -5}, {-80, 0}, {-78, 2}, {-77.5, 8}},
        // North America's east
        {{-80, 25}, {-80, 31}, {-75.5, 35.5}, {-74, 40.5}, {-70, 41.5}, {-66, 44.5}, {-60, 46}, {-52.5, 47},
         {-56, 52}, {-60, 55}, {-64, 60}, {-70, 61}, {-78, 62}, {-82, 55}, {-90, 50}, {-97, 30}, {-90, 30},
         {-84, 30}, {-81, 25}},
        // Greenland
        {{-45, 60}, {-40, 65}, {-22, 70}, {-18, 77}, {-30, 83}, {-60, 82}, {-68, 77}, {-55, 70}, {-52, 65}, {-48, 61}},
    };
    return s;
}

bool inside(const Shape &s, double lon, double lat)
{
    bool in = false;
    for (std::size_t i = 0, j = s.size() - 1; i < s.size(); j = i++)
        if ((s[i].lat > lat) != (s[j].lat > lat)
            && lon < (s[j].lon - s[i].lon) * (lat - s[i].lat) / (s[j].lat - s[i].lat) + s[i].lon)
            in = !in;
    return in;
}

Rgb earthSurface(const Vec &p)
{
    const double lat = latitude(p) / kDeg, lon = longitude(p) / kDeg;
    // Coastlines a little ragged, not ruler-straight.
    const double jl = lon + (fbm(p.x * 9, p.y * 9, p.z * 9, 3, 31) - 0.5) * 5;
    const double jt = lat + (fbm(p.x * 9, p.y * 9, p.z * 9, 3, 32) - 0.5) * 5;
    bool land = false;
    for (const Shape &s : continents())
        if (inside(s, jl, jt)) {
            land = true;
            break;
        }
    Rgb c;
    if (land) {
        const double dry = smoothstep(10, 18, lat) * smoothstep(36, 28, lat) * smoothstep(-20, -10, lon) * smoothstep(65, 55, lon)
                           + smoothstep(-16, -20, lat) * smoothstep(-30, -26, lat) * smoothstep(12, 16, lon) * smoothstep(30, 26, lon) * 0.7;
        const double v = fbm(p.x * 14, p.y * 14, p.z * 14, 4, 33);
        c = mix(Rgb(58, 112, 48) * (0.85 + 0.3 * v), Rgb(200, 172, 112) * (0.9 + 0.2 * v), std::clamp(dry, 0.0, 1.0));
        c = mix(c, Rgb(96, 104, 84), smoothstep(55, 68, std::abs(lat)) * 0.7);
    } else {
        c = Rgb(22, 58, 138) * (0.92 + 0.16 * fbm(p.x * 6, p.y * 6, p.z * 6, 2, 34));
    }
    // Ice at the poles.
    c = mix(c, Rgb(240, 244, 250), smoothstep(74, 80, lat) + smoothstep(-66, -72, lat));
    // Cloud: scattered, swirling, with a band near the equator.
    const double n = fbm(p.x * 3.2 + 7, p.y * 4.5, p.z * 3.2, 5, 35);
    double cloud = smoothstep(0.57, 0.78, n) + 0.3 * std::exp(-std::pow((lat - 5) / 6, 2)) * smoothstep(0.45, 0.7, n);
    return mix(c, Rgb(245, 247, 250), std::clamp(cloud, 0.0, 0.9));
}

// ---- The smaller planets -------------------------------------------------------------------

Rgb marsSurface(const Vec &p)
{
    const double lat = latitude(p) / kDeg;
    const double dark = smoothstep(0.5, 0.68, fbm(p.x * 2.5 + 3, p.y * 3, p.z * 2.5, 5, 41));
    const double fine = fbm(p.x * 16, p.y * 16, p.z * 16, 3, 42);
    Rgb c = mix(Rgb(200, 98, 52), Rgb(120, 62, 42), dark * 0.8) * (0.9 + 0.2 * fine);
    const double cap = smoothstep(70, 76, lat + (fbm(p.x * 10, p.y * 10, p.z * 10, 2, 43) - 0.5) * 6);
    return mix(c, Rgb(246, 240, 236), cap);
}

Rgb venusSurface(const Vec &p)
{
    const double lat = latitude(p) / kDeg;
    const double swirl = fbm(p.x * 2 + std::sin(lat * 0.05), p.y * 5, p.z * 2, 4, 51);
    return mix(Rgb(238, 220, 168), Rgb(214, 186, 124), swirl * 0.7);
}

Rgb uranusSurface(const Vec &p)
{
    const double lat = latitude(p) / kDeg;
    const double band = 0.5 + 0.5 * std::sin(lat * 0.09);
    return mix(Rgb(172, 222, 228), Rgb(150, 208, 220), band * 0.5) * (0.97 + 0.06 * fbm(p.x * 3, p.y * 8, p.z * 3, 2, 61));
}

Rgb neptuneSurface(const Vec &p)
{
    const double lat = latitude(p) / kDeg, lon = longitude(p) / kDeg;
    const double q = lat + (fbm(p.x * 3, p.y * 8, p.z * 3, 3, 71) - 0.5) * 8;
    Rgb c = mix(Rgb(56, 92, 206), Rgb(38, 66, 170), 0.5 + 0.5 * std::sin(q * 0.16));
    // The Great Dark Spot and bright, high clouds beside it.
    const double ex = std::remainder(lon + 15, 360) / 14, ey = (lat + 22) / 7;
    c = mix(c, Rgb(24, 40, 112), smoothstep(1.0, 0.7, std::sqrt(ex * ex + ey * ey)));
    const double streak = smoothstep(0.62, 0.78, fbm(p.x * 4, p.y * 30, p.z * 4, 3, 72));
    c = mix(c, Rgb(226, 236, 250), streak * (smoothstep(-36, -30, lat) * smoothstep(-12, -18, lat) + smoothstep(20, 26, lat) * smoothstep(42, 36, lat)));
    return c;
}

Rgb mercurySurface(const Vec &p)
{
    static const std::vector<std::pair<Vec, double>> craters = [] {
        std::vector<std::pair<Vec, double>> out;
        Rng rng(81);
        for (int i = 0; i < 90; ++i) {
            const Vec c = Vec{rng.range(-1, 1), rng.range(-1, 1), rng.range(-1, 1)};
            if (c.length() < 0.1)
                continue;
            const double size = rng.uniform();
            out.push_back({c.normalised(), 0.03 + 0.16 * size * size * size});
        }
        return out;
    }();
    double shade = 0.85 + 0.3 * fbm(p.x * 6, p.y * 6, p.z * 6, 5, 82);
    const Vec light = Vec{-0.6, 0.25, 0.76}.normalised();
    for (const auto &[centre, r] : craters) {
        const Vec d = p - centre;
        const double dist = d.length();
        if (dist > r * 1.25)
            continue;
        const double u = dist / r;
        // Floor a little darker; the rim bright on the side facing the light, dark on the other.
        const double facing = d.dot(light) / std::max(dist, 1e-9);
        if (u < 0.85)
            shade *= 0.88 - 0.12 * facing * u;
        else
            shade *= 1.0 + 0.25 * facing * smoothstep(1.25, 0.9, u);
    }
    return Rgb(150, 146, 140) * shade;
}

// ---- Pictures ------------------------------------------------------------------------------

using Surface = Rgb (*)(const Vec &);

struct Planet {
    const char *name;
    Surface surface;
    double limb, incline, tilt, spin;
};

const Planet kPlanets[] = {
    {"mercury", mercurySurface, 0.05, 0.1, 0.0, 0.3},
    {"venus", venusSurface, 0.15, 0.05, 0.0, 0.0},
    {"earth", earthSurface, 0.08, -0.3, 0.2, 18 * kDeg},
    {"mars", marsSurface, 0.08, 0.25, 0.15, 1.2},
    {"jupiter", jupiterSurface, 0.3, 0.05, 0.05, 0.2},
    {"uranus", uranusSurface, 0.2, 0.1, 1.7, 0.0},
    {"neptune", neptuneSurface, 0.25, 0.12, 0.4, 0.0},
};

const Planet &planetNamed(const QString &name)
{
    for (const Planet &p : kPlanets)
        if (name == QLatin1String(p.name))
            return p;
    throw std::runtime_error("no planet called " + name.toStdString());
}

void save(const QImage &img, const QString &out, const Recipe &r)
{
    if (!img.save(out, "JPEG", int(r.number(QStringLiteral("quality"), 92))))
        throw std::runtime_error("cannot write " + out.toStdString());
}

}  // namespace

void makePlanet(const Recipe &r, const QString &out)
{
    save(planetImage(r.text(QStringLiteral("planet")), r.size(QStringLiteral("size")), r.number(QStringLiteral("margin"), 1.5),
                     r.number(QStringLiteral("tilt"), -14), r.number(QStringLiteral("opening"), 24)),
         out, r);
}

QImage planetImage(const QString &name, const QSize &size, double margin, double tiltDegrees, double openingDegrees)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    if (name == QLatin1String("saturn")) {
        const double tilt = tiltDegrees * kDeg;
        const double opening = openingDegrees * kDeg;
        // The largest globe whose rings still fit the picture.
        const double rx = 2.27 * std::cos(tilt), ry = 2.27 * std::sin(std::abs(tilt)) + 2.27 * std::sin(opening) * std::cos(tilt);
        const double radius = std::min((size.width() / 2.0 - margin) / rx, (size.height() / 2.0 - margin) / std::max(ry, 1.0));
        drawSaturn(img, size.width() / 2.0, size.height() / 2.0, radius, opening, tilt, Vec{-0.6, 0.35, 0.72});
    } else {
        const Planet &planet = planetNamed(name);
        SphereView v;
        v.cx = size.width() / 2.0;
        v.cy = size.height() / 2.0;
        v.radius = std::min(size.width(), size.height()) / 2.0 - margin;
        v.limb = planet.limb;
        v.incline = planet.incline;
        v.tilt = planet.tilt;
        v.spin = planet.spin;
        drawSphere(img, v, [&](const Vec &p, const Vec &) { return planet.surface(p); });
        if (name == QLatin1String("earth")) {
            // A thin blue haze of atmosphere at the lit edge.
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x) {
                    const double d = std::hypot(x + 0.5 - v.cx, y + 0.5 - v.cy) / v.radius;
                    if (d > 0.92 && d < 1.06) {
                        const Vec n{(x + 0.5 - v.cx) / v.radius, -(y + 0.5 - v.cy) / v.radius, 0.3};
                        const double glow = (1 - std::abs(d - 0.99) / 0.07) * std::max(0.0, n.normalised().dot(v.light.normalised()));
                        if (glow > 0)
                            img.setPixel(x, y, mix(Rgb::of(img.pixel(x, y)), Rgb(120, 170, 255), glow * 0.45).pixel());
                    }
                }
        }
    }
    return img;
}

// One full turn of Jupiter in "frames" pictures named OUT00.jpg, OUT01.jpg, ...; the last flows
// into the first because each frame is the globe turned by a whole fraction of a turn.
void makeJupiterTurn(const Recipe &r, const QString &out)
{
    const QSize size = r.size(QStringLiteral("size"));
    const int frames = int(r.number(QStringLiteral("frames"), 100));
    const double radius = r.number(QStringLiteral("radius"), 180);
    QImage sky(size, QImage::Format_RGB32);
    sky.fill(Qt::black);
    drawStars(sky, int(r.number(QStringLiteral("stars"), 260)), quint64(r.number(QStringLiteral("seed"), 5)));

    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        for (int f = next++; f < frames; f = next++) {
            QImage img = sky.copy();
            SphereView v;
            v.cx = size.width() / 2.0;
            v.cy = size.height() / 2.0;
            v.radius = radius;
            v.incline = 0.05;
            v.tilt = 0.05;
            v.limb = 0.3;
            // Features cross from the left limb to the right, as Jupiter turns from west to east.
            v.spin = -2 * M_PI * f / frames;
            drawSphere(img, v, [](const Vec &p, const Vec &) { return jupiterSurface(p); });
            if (!img.save(out + QStringLiteral("%1.jpg").arg(f, 2, 10, QLatin1Char('0')), "JPEG", int(r.number(QStringLiteral("quality"), 88))))
                failed = true;
        }
    };
    std::vector<std::thread> pool;
    const unsigned n = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < n; ++i)
        pool.emplace_back(work);
    for (auto &t : pool)
        t.join();
    if (failed)
        throw std::runtime_error("cannot write the frames " + out.toStdString());
}
