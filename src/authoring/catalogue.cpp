// SPDX-License-Identifier: GPL-3.0-or-later
#include "authoring/catalogue.h"

#include "formats/fieldfile.h"
#include "services/paths.h"
#include "core/shared.h"
#include "services/logging.h"

#include <QDir>
#include <algorithm>
#include <QFile>

bool readcatalogue()
{
    QFile file(paths::resolve(kCatalogueFile));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return readcatalogue(&file);
}

bool readcatalogue(QIODevice *device)
{
    FieldReader in(device, kMaxCatalogueLine);
    bool ok = false;
    const long long count = in.line().trimmed().toLongLong(&ok);
    if (!ok) {
        qCWarning(lcWorksheets, "the worksheet catalogue's first line is not a count%s%s",
                  in.failed() ? ": " : "", qPrintable(in.error()));
        return false;
    }

    // Counts are clamped to what was read, so the browser never pages past the real titles.
    shared::worksheetcount = 0;
    if (count < 0) {
        qCWarning(lcWorksheets, "the worksheet catalogue counts %lld titles", count);
        return false;
    }
    for (long long i = 1; i <= count; ++i) {
        if (i > shared::kMaxWorksheets) {
            qCWarning(lcWorksheets, "the worksheet catalogue counts %lld titles: the first %d are read", count,
                      shared::kMaxWorksheets);
            return false;
        }
        const QString title = in.line();
        if (in.failed()) {
            qCWarning(lcWorksheets, "the worksheet catalogue is damaged at title %lld of %lld: %s", i, count,
                      qPrintable(in.error()));
            return false;
        }
        shared::worksheetname[i] = title;
        shared::worksheetcount = static_cast<int>(i);
    }
    return true;
}

CatalogueRead readcataloguewhole(QStringList &titles)
{
    // The teacher's catalogue, else the empty one shipped.
    QFile file(paths::resolve(kCatalogueFile));
    if (!file.open(QIODevice::ReadOnly))
        return CatalogueRead::Missing;
    shared::worksheetcount.clear();
    const bool whole = readcatalogue(&file);
    titles.clear();
    for (int i = 1; i <= shared::worksheetcount.toInt(); ++i)
        titles << shared::worksheetname[i];
    return whole ? CatalogueRead::Whole : CatalogueRead::Partial;
}

CatalogueLock::CatalogueLock(int waitMs) : lock_(QDir(paths::teacherDir()).filePath(QStringLiteral("track.lock")))
{
    QDir().mkpath(paths::teacherDir());
    lock_.setStaleLockTime(kStaleMs);
    held_ = lock_.tryLock(waitMs);
    readOnly_ = !held_ && lock_.error() == QLockFile::PermissionError;
}

CataloguePage cataloguePage(int count, int page, int perPage)
{
    CataloguePage p;
    p.first = perPage * page + 1;
    p.last = std::min(count, perPage * page + perPage);
    p.hasPrevious = page > 0;
    p.hasNext = count >= perPage * page + perPage + 1;
    return p;
}
