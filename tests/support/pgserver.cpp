// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pgserver.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

QString PgServer::binDir()
{
    // Debian keeps each major version's server apart; the newest installed is taken.
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto it = found.crbegin(); it != found.crend(); ++it)
        if (QFile::exists(versions.filePath(*it + QStringLiteral("/bin/initdb"))))
            return versions.filePath(*it + QStringLiteral("/bin"));
    return {};
}

// Runs one of the server's programs (the server's own as "nobody" under root; psql as we are).
bool PgServer::run(const QStringList &command, QString *out) const
{
    QStringList args = command.mid(1);
    QString program = binDir() + QLatin1Char('/') + command.first();
    if (geteuid() == 0 && command.first() != QLatin1String("psql")) {
        args = QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), program} + args;
        program = QStringLiteral("runuser");
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool ended = p.waitForFinished(60000);
    const QString said = QString::fromUtf8(p.readAll());
    if (out)
        *out = said;
    if (!ended || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(command.first()), qPrintable(said));
        return false;
    }
    return true;
}

PgServer::PgServer(bool durable) : durable_(durable)
{
    if (binDir().isEmpty() || !dir_.isValid())
        return;
    const passwd *nobody = geteuid() == 0 ? getpwnam("nobody") : nullptr;
    if (nobody && chown(QFile::encodeName(dir_.path()).constData(), nobody->pw_uid, nobody->pw_gid) != 0)
        return;
    if (run({"initdb", "-D", dir_.filePath("data"), "-A", "trust", "-U", "quillmoor", "--no-sync", "-E", "UTF8", "--locale=C.UTF-8"}) && start())
        sql(QStringLiteral("CREATE DATABASE register"), nullptr, QStringLiteral("postgres"));
}

PgServer::~PgServer() { stop(); }

bool PgServer::start()
{
    const QString options = QStringLiteral("-k %1 -c listen_addresses='' -c fsync=%2").arg(dir_.path(), durable_ ? "on" : "off");
    running_ = run({"pg_ctl", "-D", dir_.filePath("data"), "-o", options, "-l", dir_.filePath("log"), "-w", "start"});
    return running_;
}

bool PgServer::stop()
{
    if (running_)
        running_ = !run({"pg_ctl", "-D", dir_.filePath("data"), "-m", "fast", "-w", "stop"});
    return !running_;
}

bool PgServer::sql(const QString &statements, QString *out, const QString &database)
{
    return run({"psql", "-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", "-h", dir_.path(), "-U", "quillmoor", "-d", database, "-c", statements}, out);
}

QString PgServer::useService(const QString &user, const QString &database)
{
    const QString path = dir_.filePath(QStringLiteral("pg_service.conf"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    f.write(QStringLiteral("[quillmoor]\nhost=%1\ndbname=%2\nuser=%3\n").arg(dir_.path(), database, user).toUtf8());
    f.close();
    qputenv("PGSERVICEFILE", QFile::encodeName(path));
    return path;
}

bool PgServer::addSchoolRoles()
{
    return sql(QStringLiteral("CREATE ROLE quillmoor_pupils; CREATE ROLE quillmoor_teachers;"
                              " CREATE ROLE pupil LOGIN IN ROLE quillmoor_pupils;"
                              " CREATE ROLE teacher LOGIN IN ROLE quillmoor_teachers;"));
}

bool PgServer::requirePassword(const QString &role, const QString &password)
{
    QFile hba(dir_.filePath(QStringLiteral("data/pg_hba.conf")));
    if (!sql(QStringLiteral("ALTER ROLE %1 PASSWORD '%2'").arg(role, password)) || !hba.open(QIODevice::ReadWrite))
        return false;
    const QByteArray rest = hba.readAll();
    hba.seek(0);
    hba.write(QStringLiteral("local all %1 scram-sha-256\n").arg(role).toUtf8() + rest);
    hba.close();
    return run({"pg_ctl", "-D", dir_.filePath("data"), "-w", "reload"});
}
