// SPDX-License-Identifier: GPL-3.0-or-later
// Time to render metafiles other programs wrote and files that once made the player misbehave, at
// 800 px wide as wmfrender does; then clip regions of 1,000 to 10,000 overlapping rectangles, to
// show that their cost grows no faster than their size. Median of 5 (one run for a file over 1 s).
// Usage: bench_pages_hostile [FOLDER...]
//   (default: fuzz/regressions/wmf, fuzz/corpus/wmf and ../shared/wmf-samples)
#include "services/fonts.h"
#include "formats/wmf/wmfplayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double renderMs(const wmf::Metafile &m)
{
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        const QImage img = wmf::render(m, 800);
        ms.push_back(t.nsecsElapsed() / 1e6);
        if (ms.back() > 1000)
            return ms.back();
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void put16(QByteArray &b, int v)
{
    char c[2];
    qToLittleEndian(quint16(v), c);
    b.append(c, 2);
}

void record(QByteArray &b, quint16 function, const std::vector<int> &words)
{
    const quint32 size = quint32(3 + words.size());
    put16(b, int(size & 0xFFFF));
    put16(b, int(size >> 16));
    put16(b, function);
    for (int w : words)
        put16(b, w);
}

// A placeable 10000 x 10000 picture whose clip is one region of n overlapping rectangles, one a
// scan, then a rectangle drawn over all of it.
QByteArray manyRects(int n)
{
    QRandomGenerator rng(n);
    std::vector<int> region = {0, 6, 0, 0, 0, n, 4, 0, 0, 10000, 10000};
    for (int i = 0; i < n; ++i) {
        const int x = rng.bounded(9000), y = rng.bounded(9000);
        region.insert(region.end(), {2, y, y + 1 + rng.bounded(1000), x, x + 1 + rng.bounded(1000), 2});
    }
    QByteArray b;
    for (int w : {int(0xCDD7), int(0x9AC6), 0, 0, 0, 10000, 10000, 1440, 0, 0, 0, 1, 9, 0x0300, 0, 0, 0, 0, 0, 0})
        put16(b, w);
    record(b, wmf::CREATEREGION, region);
    record(b, wmf::SELECTCLIPREGION, {0});
    record(b, wmf::RECTANGLE, {10000, 10000, 0, 0});
    record(b, wmf::EOF_, {});
    return b;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    fonts::registerFonts();
    QStringList folders;
    for (int i = 1; i < argc; ++i)
        folders << QString::fromLocal8Bit(argv[i]);
    if (folders.isEmpty())
        folders = {QStringLiteral("fuzz/regressions/wmf"), QStringLiteral("fuzz/corpus/wmf"), QStringLiteral("../shared/wmf-samples")};
    for (const QString &folder : folders) {
        double worst = 0;
        QString slowest;
        for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
            const auto m = wmf::load(QDir(folder).filePath(name));
            if (!m)
                continue;
            const double ms = renderMs(*m);
            std::printf("%-40s %9.2f ms\n", qPrintable(name), ms);
            if (ms > worst) {
                worst = ms;
                slowest = name;
            }
        }
        std::printf("slowest in %s: %s, %.2f ms\n\n", qPrintable(folder), qPrintable(slowest), worst);
    }
    for (int n : {1000, 2000, 4000, 8000, 10000}) {
        const auto m = wmf::parse(manyRects(n));
        if (!m)
            return 1;
        const double ms = renderMs(*m);
        std::printf("region of %5d rectangles %9.2f ms  (%.4f ms a rectangle)\n", n, ms, ms / n);
    }
    return 0;
}
