// SPDX-License-Identifier: GPL-3.0-or-later
// wmfrender IN.wmf OUT.png [WIDTH [BACKGROUND]]
// Renders a metafile with Quillmoor's own reader, at its own size (96 dpi) or WIDTH pixels wide
// (0 for its own size), on white or on BACKGROUND, a colour such as "#273f89" (the screen pages'
// light text needs the viewers' blue behind it). On a file it cannot read it writes nothing and exits 1 with a one-line message.
#include "services/fonts.h"
#include "formats/wmf/wmfplayer.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: wmfrender IN.wmf OUT.png [WIDTH [BACKGROUND]]\n");
        return 2;
    }
    int width = 0;
    if (argc >= 4) {
        bool ok = false;
        width = QString::fromLocal8Bit(argv[3]).toInt(&ok);
        if (!ok || width < 0 || width > 16384) {
            std::fprintf(stderr, "wmfrender: WIDTH must be a whole number from 0 to 16384\n");
            return 2;
        }
    }
    QColor background(Qt::white);
    if (argc == 5) {
        background = QColor::fromString(QString::fromLocal8Bit(argv[4]));
        if (!background.isValid()) {
            std::fprintf(stderr, "wmfrender: %s is not a colour\n", argv[4]);
            return 2;
        }
    }
    fonts::registerFonts();
    const auto metafile = wmf::load(QString::fromLocal8Bit(argv[1]));
    if (!metafile) {
        std::fprintf(stderr, "wmfrender: %s: %s\n", argv[1], qPrintable(metafile.error()));
        return 1;
    }
    const QImage img = wmf::render(*metafile, width, background);
    if (img.isNull()) {
        std::fprintf(stderr, "wmfrender: %s: the picture has no size that can be drawn\n", argv[1]);
        return 1;
    }
    if (!img.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "wmfrender: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
