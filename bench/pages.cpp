// SPDX-License-Identifier: GPL-3.0-or-later
// Time to render each page with our metafile player: the screen renderings onto an 800 x 600
// picture as the viewer shows them, and at twice that (a high-density display). Median of 50.
// Usage: bench_pages DATA_DIR
#include "services/fonts.h"
#include "formats/wmf/wmfplayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    fonts::registerFonts();
    const QDir data(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/share/quillmoor"));
    double worst = 0;
    for (const QString &name : QDir(data.filePath(QStringLiteral("wmf"))).entryList({QStringLiteral("*.wmf")}, QDir::Files, QDir::Name)) {
        const auto m = wmf::load(data.filePath(QStringLiteral("wmf/") + name));
        if (!m)
            continue;
        std::printf("%-24s", qPrintable(name));
        for (int scale : {1, 2}) {
            QImage img(800 * scale, 600 * scale, QImage::Format_ARGB32_Premultiplied);
            const QSizeF own = m->sizeAt(96) * scale;
            std::vector<double> ms;
            for (int i = 0; i < 51; ++i) {
                img.fill(QColor(39, 63, 137));
                QElapsedTimer t;
                t.start();
                QPainter p(&img);
                wmf::paint(*m, p, QRectF(QPointF(8 * scale, 0), own));
                p.end();
                if (i > 0)  // the first run warms the font and glyph caches
                    ms.push_back(t.nsecsElapsed() / 1e6);
            }
            std::sort(ms.begin(), ms.end());
            std::printf("  %s %6.2f ms", scale == 1 ? "800x600" : "1600x1200", ms[ms.size() / 2]);
            if (scale == 1)
                worst = std::max(worst, ms[ms.size() / 2]);
        }
        std::printf("\n");
    }
    std::printf("slowest page at 800x600: %.2f ms (goal: under 2 ms)\n", worst);
    return 0;
}
