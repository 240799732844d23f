// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the picture descriptions file, decoded as the program reads it: every entry has a
// lower-case path with no tab or line end, and words with no blanks at either end.
#include "ui/accessibility.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QHash<QString, QString> table = accessibility::parseDescriptions(text);
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        const QString &path = it.key();
        if (path.isEmpty() || path != path.toLower() || path.contains(QLatin1Char('\t')) || path.contains(QLatin1Char('\n')))
            std::abort();
        if (it.value() != it.value().trimmed())
            std::abort();
    }
    return 0;
}
