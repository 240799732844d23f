// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a school's settings file: whatever it holds, a worksheets folder read from it is a
// whole path, and a service name a plain word that cannot carry another connection option.
#include "services/school.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QDir().mkpath(dir.filePath(QStringLiteral("quillmoor")));
        return dir.filePath(QStringLiteral("quillmoor/quillmoor.conf"));
    }();
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    f.write(reinterpret_cast<const char *>(data), qint64(size));
    f.close();
    const school::Settings s = school::read(dir.path());
    static const QRegularExpression word(QStringLiteral("^[A-Za-z0-9_.-]+$"));
    if (s.file != path || (!s.worksheetsFolder.isEmpty() && !QDir::isAbsolutePath(s.worksheetsFolder)))
        std::abort();
    if (s.store == school::RegisterStore::Postgresql && !word.match(s.service).hasMatch())
        std::abort();
    if (s.store == school::RegisterStore::Sqlite && !s.service.isEmpty())
        std::abort();
    return 0;
}
