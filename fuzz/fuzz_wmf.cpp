// Any bytes as a metafile: parsed, and when they parse, played onto a small picture with the
// real painter, fonts and all. Nothing may crash, hang or use memory beyond the reader's bounds.
#include "platform/wmf/wmfplayer.h"

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
    QImage img(48, 48, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    wmf::paint(*m, p, QRectF(0, 0, 48, 48));
    return 0;
}
