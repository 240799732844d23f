// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a question file: the loader takes a whole set or refuses it, within its field
// bound, and a refused file leaves the set as it was.
#include "formats/fieldfile.h"
#include "quiz/questions.h"
#include "core/shared.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    shared::tasktitle = QStringLiteral("unchanged");
    QBuffer buf;
    buf.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buf.open(QIODevice::ReadOnly);
    FieldReader in(&buf, kMaxQuestionField);
    if (loadquestions(in)) {
        for (int q = 1; q <= 10; ++q) {
            const QString &c = shared::correct[q];
            if (c.size() != 1 || c[0] < QLatin1Char('1') || c[0] > QLatin1Char('4'))
                std::abort();
        }
    } else if (shared::tasktitle != QLatin1String("unchanged") || !in.failed()) {
        std::abort();
    }
    return 0;
}
