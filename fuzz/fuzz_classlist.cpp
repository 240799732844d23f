// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a class list to import: every name it yields is non-empty, trimmed, at most 60
// characters, free of control characters, and found once (letter case ignored).
#include "register/csv.h"

#include <QSet>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const csv::Names list = csv::names(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QSet<QString> seen;
    for (const QString &name : list.names) {
        if (name.isEmpty() || name != name.trimmed() || name.size() > 60 || seen.contains(name.toLower()))
            std::abort();
        for (const QChar c : name)
            if (c.category() == QChar::Other_Control)
                std::abort();
        seen.insert(name.toLower());
    }
    return 0;
}
