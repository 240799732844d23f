// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace paths {
namespace {

QString g_dataDir;
QString g_teacherDir;
QString g_localDir;

// Splits on either separator; empty when any component is "." or "..".
QStringList components(const QString &relative)
{
    // A plain split rather than a regular expression: the first picture of all is looked up
    // before the title screen's first paint, and compiling one costs more than the whole walk.
    QString normal = relative;
    normal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = normal.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &p : parts)
        if (p == QLatin1String(".") || p == QLatin1String(".."))
            return {};
    return parts;
}

// Walks down from base, matching each component exactly or else ignoring case.
QString findBelow(const QString &base, const QStringList &parts)
{
    if (base.isEmpty() || parts.isEmpty())
        return {};
    QString current = base;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        QDir dir(current);
        const QString exact = dir.filePath(parts[i]);
        const QFileInfo exactInfo(exact);
        if (exactInfo.exists() && (last ? exactInfo.isFile() : exactInfo.isDir())) {
            current = exact;
            continue;
        }
        const QDir::Filters filter = (last ? QDir::Files : QDir::Dirs) | QDir::Hidden | QDir::NoDotAndDotDot;
        QString match;
        const QStringList entries = dir.entryList(filter, QDir::Name);
        for (const QString &e : entries)
            if (e.compare(parts[i], Qt::CaseInsensitive) == 0) {
                match = e;
                break;
            }
        if (match.isEmpty())
            return {};
        current = dir.filePath(match);
    }
    return current;
}

bool isTeachers(const QStringList &parts)
{
    return parts.size() >= 2 && parts.front().compare(QLatin1String("multiple"), Qt::CaseInsensitive) == 0;
}

}  // namespace

QString dataDirForExecutable(const QString &executableDir)
{
    return QDir::cleanPath(executableDir + QStringLiteral("/../share/quillmoor"));
}

void setDataDir(const QString &dir) { g_dataDir = dir; }
QString dataDir() { return g_dataDir; }

void setLocalDir(const QString &dir) { g_localDir = dir; }

QString localDir()
{
    if (!g_localDir.isEmpty())
        return g_localDir;
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/quillmoor");
}

void setTeacherDir(const QString &dir) { g_teacherDir = dir; }

QString teacherDir()
{
    if (!g_teacherDir.isEmpty())
        return g_teacherDir;
    return localDir() + QStringLiteral("/multiple");
}

QString resolve(const QString &relative)
{
    const QStringList parts = components(relative);
    if (parts.isEmpty())
        return {};
    if (isTeachers(parts)) {
        const QString found = findBelow(teacherDir(), parts.mid(1));
        if (!found.isEmpty())
            return found;
    }
    return findBelow(dataDir(), parts);
}

QString writable(const QString &relative)
{
    const QStringList parts = components(relative);
    // Only files directly inside "multiple": a name that reaches into another folder is refused.
    if (!isTeachers(parts) || parts.size() != 2)
        return {};
    const QString dir = teacherDir();
    if (!QDir().mkpath(dir))
        return {};
    // The file name is taken exactly, so titles that differ only in letter case stay separate files.
    return QDir(dir).filePath(parts.back());
}

}  // namespace paths
