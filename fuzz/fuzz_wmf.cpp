// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a metafile: parsed, and when they parse, played onto a small picture with the
// real painter, fonts and all, at one of three scales. Nothing may crash, hang or use memory beyond the reader's bounds.
#include "formats/wmf/wmfplayer.h"

#include <QGuiApplication>
#include <QImage>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto m = wmf::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!m)
        return 0;
    // The picture is fitted to 48, 192 or 768 pixels as the last byte says, so that font and pen
    // sizes of a page shown full screen are reached too; the canvas stays 48 pixels, so drawing
    // off it costs next to nothing.
    static const double kSizes[] = {48, 192, 768};
    const double side = kSizes[data[size - 1] % 3];
    QImage img(48, 48, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    wmf::paint(*m, p, QRectF(0, 0, side, side));
    return 0;
}
