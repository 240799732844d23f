// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pgserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

namespace {
bool asRoot() { return geteuid() == 0; }
}  // namespace

QString PgServer::binDir()
{
    // Debian keeps each major version's server apart; the newest installed is taken.
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto it = found.crbegin(); it != found.crend(); ++it)
        if (QFileInfo::exists(versions.filePath(*it + QStringLiteral("/bin/initdb"))))
            return versions.filePath(*it + QStringLiteral("/bin"));
    return {};
}

bool PgServer::run(const QStringList &command, QString *out) const
{
    QStringList args = command;
    QString program = args.takeFirst();
    if (asRoot() && !program.endsWith(QLatin1String("psql"))) {
        args = QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), program} + args;
        program = QStringLiteral("runuser");
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    const QString said = QString::fromUtf8(p.readAll());
    if (out)
        *out = said;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), qPrintable(said));
        return false;
    }
    return true;
}

PgServer::PgServer(bool durable) : durable_(durable)
{
    const QString bin = binDir();
    if (bin.isEmpty() || !dir_.isValid())
        return;
    if (asRoot()) {
        const passwd *nobody = getpwnam("nobody");
        if (!nobody || chown(QFile::encodeName(dir_.path()).constData(), nobody->pw_uid, nobody->pw_gid) != 0)
            return;
    }
    if (!run({bin + QStringLiteral("/initdb"), QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-A"),
              QStringLiteral("trust"), QStringLiteral("-U"), QStringLiteral("quillmoor"), QStringLiteral("--no-sync"),
              QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8")}))
        return;
    if (start())
        sql(QStringLiteral("CREATE DATABASE register"), nullptr, QStringLiteral("postgres"));
}

bool PgServer::start()
{
    running_ = run({binDir() + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-o"),
                    QStringLiteral("-k %1 -c listen_addresses='' -c fsync=%2").arg(dir_.path(), durable_ ? "on" : "off"), QStringLiteral("-l"),
                    dir_.filePath(QStringLiteral("log")), QStringLiteral("-w"), QStringLiteral("start")});
    return running_;
}

bool PgServer::stop()
{
    if (!running_)
        return true;
    running_ = !run({binDir() + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-m"),
                     QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")});
    return !running_;
}

PgServer::~PgServer() { stop(); }

bool PgServer::sql(const QString &statements, QString *out, const QString &database)
{
    return run({binDir() + QStringLiteral("/psql"), QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"),
                QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"), dir_.path(), QStringLiteral("-U"),
                QStringLiteral("quillmoor"), QStringLiteral("-d"), database, QStringLiteral("-c"), statements},
               out);
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

bool PgServer::requirePassword(const QString &role, const QString &password)
{
    if (!sql(QStringLiteral("ALTER ROLE %1 PASSWORD '%2'").arg(role, password)))
        return false;
    QFile hba(dir_.filePath(QStringLiteral("data/pg_hba.conf")));
    if (!hba.open(QIODevice::ReadWrite))
        return false;
    const QByteArray rest = hba.readAll();
    hba.seek(0);
    hba.write(QStringLiteral("local all %1 scram-sha-256\n").arg(role).toUtf8() + rest);
    hba.close();
    return run({binDir() + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")), QStringLiteral("-w"),
                QStringLiteral("reload")});
}
