// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the worksheet catalogue: the reader must stop quietly with at most 1000 titles.
#include "authoring/catalogue.h"
#include "core/shared.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buf;
    buf.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buf.open(QIODevice::ReadOnly);
    shared::worksheetcount.clear();
    readcatalogue(&buf);
    const int n = shared::worksheetcount.toInt();
    if (n < 0 || n > shared::kMaxWorksheets)
        std::abort();
    for (int i = 1; i <= n; ++i)
        if (shared::worksheetname[i].size() > kMaxCatalogueLine)
            std::abort();
    return 0;
}
