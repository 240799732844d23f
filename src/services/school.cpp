// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/school.h"

#include "services/logging.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace school {
namespace {

// A service name goes into libpq's connection string: only a plain word, so no setting can
// carry a second option (a host, a password) in with it.
bool plainServiceName(const QString &name)
{
    static const QRegularExpression word(QStringLiteral("^[A-Za-z0-9_.-]{1,63}$"));
    return word.match(name).hasMatch();
}

}  // namespace

Settings read(const QString &configDirs)
{
    Settings s;
    QStringList dirs = configDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dirs.isEmpty())
        dirs << QStringLiteral("/etc/xdg");
    for (const QString &dir : std::as_const(dirs)) {
        const QString candidate = QDir(dir).filePath(QStringLiteral("quillmoor/quillmoor.conf"));
        if (QFileInfo(candidate).isFile()) {
            s.file = candidate;
            break;
        }
    }
    if (s.file.isEmpty())
        return s;

    QSettings conf(s.file, QSettings::IniFormat);
    if (conf.status() != QSettings::NoError) {
        s.problems << QStringLiteral("%1 cannot be read; the settings of one computer are used").arg(s.file);
        return s;
    }
    const QString folder = conf.value(QStringLiteral("worksheets/folder")).toString().trimmed();
    if (!folder.isEmpty()) {
        if (QDir::isAbsolutePath(folder))
            s.worksheetsFolder = QDir::cleanPath(folder);
        else
            s.problems << QStringLiteral("worksheets/folder must be a whole path, from /; the teacher's own folder is used");
    }
    const QString store = conf.value(QStringLiteral("register/store"), QStringLiteral("sqlite")).toString().trimmed().toLower();
    if (store == QLatin1String("postgresql")) {
        s.store = RegisterStore::Postgresql;
        s.service = conf.value(QStringLiteral("register/service"), QLatin1String(kDefaultService)).toString().trimmed();
        if (!plainServiceName(s.service)) {
            s.problems << QStringLiteral("register/service must be a service name of letters, digits, '.', '-' or '_'; \"%1\" is used")
                              .arg(QLatin1String(kDefaultService));
            s.service = QLatin1String(kDefaultService);
        }
    } else if (store != QLatin1String("sqlite")) {
        s.problems << QStringLiteral("register/store is \"sqlite\" or \"postgresql\"; the register file on this computer is used");
    }
    return s;
}

const Settings &settings()
{
    static const Settings s = [] {
        Settings read = school::read(qEnvironmentVariable("XDG_CONFIG_DIRS"));
        if (!read.file.isEmpty())
            qCDebug(lcSchool) << "school settings from" << read.file;
        for (const QString &p : std::as_const(read.problems))
            qCWarning(lcSchool).noquote() << read.file + QStringLiteral(": ") + p;
        return read;
    }();
    return s;
}

}  // namespace school
