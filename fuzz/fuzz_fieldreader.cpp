// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes through the sequential field reader: fields, whole lines and the text decoding, with
// a small field bound so long runs are exercised too.
#include "formats/fieldfile.h"

#include <QBuffer>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buf;
    buf.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buf.open(QIODevice::ReadOnly);
    FieldReader in(&buf, 256);
    // Alternate fields and lines as the catalogue and question readers do.
    for (int i = 0; i < 100000 && !in.failed(); ++i) {
        if (i % 3 == 2)
            (void)in.line();
        else
            (void)in.field();
    }
    return 0;
}
