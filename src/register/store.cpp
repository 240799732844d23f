// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/store.h"

#include "services/logging.h"
#include "services/paths.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>


namespace reg {
namespace {

// Each entry takes the file from the version of its place to the next. A file of any earlier
// version is brought forward step by step; entries are never changed once shipped.
const QList<QStringList> kMigrations = {
    {
        QStringLiteral("CREATE TABLE classes (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE pupils (id INTEGER PRIMARY KEY,"
                       " class_id INTEGER NOT NULL REFERENCES classes(id) ON DELETE CASCADE,"
                       " name TEXT NOT NULL COLLATE NOCASE, UNIQUE (class_id, name))"),
        QStringLiteral("CREATE TABLE attempts (id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE,"
                       " pupil_id INTEGER NOT NULL REFERENCES pupils(id) ON DELETE CASCADE,"
                       " activity TEXT NOT NULL, score INTEGER NOT NULL, total INTEGER NOT NULL,"
                       " marks TEXT NOT NULL DEFAULT '', started TEXT NOT NULL, ended TEXT NOT NULL,"
                       " computer TEXT NOT NULL DEFAULT '')"),
        QStringLiteral("CREATE INDEX attempts_by_pupil ON attempts (pupil_id, activity)"),
        QStringLiteral("CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL)"),
    },
};
static_assert(Store::kSchemaVersion > 0);

QString stamp(const QDateTime &t) { return t.toUTC().toString(Qt::ISODateWithMs); }
QDateTime unstamp(const QString &s) { return QDateTime::fromString(s, Qt::ISODateWithMs).toLocalTime(); }

QString cleanName(const QString &name) { return name.simplified(); }

// "register-damaged-2026-12-07.sqlite", with a number when that is taken.
QString asideName(const QString &path)
{
    const QFileInfo f(path);
    const QString base = f.dir().filePath(f.completeBaseName() + QStringLiteral("-damaged-") + QDate::currentDate().toString(Qt::ISODate));
    QString name = base + QStringLiteral(".sqlite");
    for (int n = 2; QFile::exists(name); ++n)
        name = base + QStringLiteral("-%1.sqlite").arg(n);
    return name;
}

}  // namespace

QString Store::defaultPath()
{
    return QFileInfo(paths::teacherDir()).dir().filePath(QStringLiteral("register.sqlite"));
}

Store::Store(const QString &path) : path_(path), connection_(QStringLiteral("register-") + QUuid::createUuid().toString(QUuid::Id128))
{
    if (open() != Opening::Damaged)
        return;
    // Not a register we can read: kept aside for whoever wants to look at it, and the register
    // starts afresh so results go on being kept.
    close();
    const QString aside = asideName(path_);
    if (!QFile::rename(path_, aside)) {
        fail(QStringLiteral("The class register is damaged and could not be moved aside; results are not being kept."));
        return;
    }
    for (const char *suffix : {"-wal", "-shm"})
        QFile::rename(path_ + QLatin1String(suffix), aside + QLatin1String(suffix));
    qCWarning(lcRegister) << "damaged register moved aside to" << aside;
    if (open() == Opening::Opened) {
        setAside_ = aside;
        // Kept in the fresh register so the teacher is told, even after a restart.
        setSetting(QStringLiteral("set-aside"), QFileInfo(aside).fileName());
    } else
        fail(QStringLiteral("The class register could not be made afresh; results are not being kept."));
}

void Store::close()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

Store::~Store() { close(); }

void Store::fail(const QString &why)
{
    error_ = why;
    qCWarning(lcRegister) << "register:" << why;
}

Store::Opening Store::open()
{
    error_.clear();
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("The class register cannot be written in %1.").arg(folder));
        return Opening::Failed;
    }
    if (!QFile::exists(path_)) {
        // Made empty first, for its owner only: SQLite keeps these permissions and gives them
        // to its journal files.
        QFile f(path_);
        if (!f.open(QIODevice::WriteOnly) || !f.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
            fail(QStringLiteral("The class register cannot be written in %1.").arg(folder));
            return Opening::Failed;
        }
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        fail(QStringLiteral("The class register cannot be opened: ") + db.lastError().text());
        return Opening::Failed;
    }
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok")) {
        fail(QStringLiteral("The class register is damaged."));
        return Opening::Damaged;
    }
    // A committed attempt survives a power cut (full syncs, even in WAL mode); what is deleted
    // is overwritten, not merely unlinked.
    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=ON", "PRAGMA secure_delete=ON"})
        if (!q.exec(QLatin1String(pragma))) {
            fail(QStringLiteral("The class register cannot be opened: ") + q.lastError().text());
            return Opening::Failed;
        }
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        fail(QStringLiteral("The class register is damaged."));
        return Opening::Damaged;
    }
    int version = q.value(0).toInt();
    if (version > kSchemaVersion) {
        // A newer program's file is left as it is.
        fail(QStringLiteral("The class register was made by a newer version of Quillmoor; results are not being kept."));
        close();
        return Opening::Failed;
    }
    while (version < kSchemaVersion) {
        // One step, one transaction: a crash half-way leaves the file at the last whole version.
        if (!db.transaction()) {
            fail(QStringLiteral("The class register is busy; results are not being kept."));
            return Opening::Failed;
        }
        bool done = true;
        for (const QString &sql : kMigrations[version])
            done = done && q.exec(sql);
        done = done && q.exec(QStringLiteral("PRAGMA user_version=%1").arg(version + 1));
        if (!done || !db.commit()) {
            db.rollback();
            fail(QStringLiteral("The class register is damaged."));
            return Opening::Damaged;
        }
        ++version;
    }
    return Opening::Opened;
}

bool Store::exec(const QString &sql, const QVariantList &values) const
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.prepare(sql))
        return false;
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        qCWarning(lcRegister) << "register write failed:" << q.lastError().text();
        return false;
    }
    return true;
}

qint64 Store::addClass(const QString &name)
{
    const QString n = cleanName(name);
    if (!ok() || n.isEmpty())
        return 0;
    exec(QStringLiteral("INSERT OR IGNORE INTO classes (name) VALUES (?)"), {n});
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT id FROM classes WHERE name = ?"));
    q.addBindValue(n);
    return q.exec() && q.next() ? q.value(0).toLongLong() : 0;
}

QList<ClassInfo> Store::classes() const
{
    QList<ClassInfo> out;
    if (!ok())
        return out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.exec(QStringLiteral("SELECT id, name FROM classes ORDER BY name"));
    while (q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toString()});
    return out;
}

bool Store::renameClass(qint64 classId, const QString &name)
{
    const QString n = cleanName(name);
    return ok() && !n.isEmpty() && exec(QStringLiteral("UPDATE classes SET name = ? WHERE id = ?"), {n, classId});
}

bool Store::removeClass(qint64 classId)
{
    return ok() && exec(QStringLiteral("DELETE FROM classes WHERE id = ?"), {classId});
}

int Store::addPupils(qint64 classId, const QStringList &names)
{
    if (!ok())
        return -1;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction())
        return -1;
    int added = 0;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR IGNORE INTO pupils (class_id, name) VALUES (?, ?)"));
    for (const QString &name : names) {
        const QString n = cleanName(name);
        if (n.isEmpty())
            continue;
        q.addBindValue(classId);
        q.addBindValue(n);
        if (!q.exec()) {
            db.rollback();
            return -1;
        }
        added += q.numRowsAffected() > 0;
    }
    return db.commit() ? added : -1;
}

QList<Pupil> Store::pupils(qint64 classId) const
{
    QList<Pupil> out;
    if (!ok())
        return out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT id, class_id, name FROM pupils WHERE class_id = ? ORDER BY name"));
    q.addBindValue(classId);
    q.exec();
    while (q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString()});
    return out;
}

bool Store::renamePupil(qint64 pupilId, const QString &name)
{
    const QString n = cleanName(name);
    return ok() && !n.isEmpty() && exec(QStringLiteral("UPDATE pupils SET name = ? WHERE id = ?"), {n, pupilId});
}

bool Store::removePupil(qint64 pupilId)
{
    return ok() && exec(QStringLiteral("DELETE FROM pupils WHERE id = ?"), {pupilId});
}

bool Store::record(const Attempt &a)
{
    if (!ok() || a.uuid.isEmpty())
        return false;
    // A single statement is its own transaction; it is on the disk when exec returns.
    return exec(QStringLiteral("INSERT INTO attempts (uuid, pupil_id, activity, score, total, marks, started, ended, computer)"
                               " VALUES (?, ?, ?, ?, ?, COALESCE(?, ''), ?, ?, COALESCE(?, '')) ON CONFLICT (uuid) DO NOTHING"),
                {a.uuid, a.pupilId, a.activity, a.score, a.total, a.marks, stamp(a.started), stamp(a.ended), a.computer});
}

QList<Attempt> Store::attempts(qint64 classId) const
{
    QList<Attempt> out;
    if (!ok())
        return out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT a.uuid, a.pupil_id, c.name, p.name, a.activity, a.score, a.total, a.marks,"
                             " a.started, a.ended, a.computer FROM attempts a JOIN pupils p ON p.id = a.pupil_id"
                             " JOIN classes c ON c.id = p.class_id WHERE ? = 0 OR c.id = ? ORDER BY a.ended, a.id"));
    q.addBindValue(classId);
    q.addBindValue(classId);
    q.exec();
    while (q.next()) {
        Attempt a;
        a.uuid = q.value(0).toString();
        a.pupilId = q.value(1).toLongLong();
        a.className = q.value(2).toString();
        a.pupil = q.value(3).toString();
        a.activity = q.value(4).toString();
        a.score = q.value(5).toInt();
        a.total = q.value(6).toInt();
        a.marks = q.value(7).toString();
        a.started = unstamp(q.value(8).toString());
        a.ended = unstamp(q.value(9).toString());
        a.computer = q.value(10).toString();
        out.append(a);
    }
    return out;
}

bool Store::deletePupilResults(qint64 pupilId)
{
    return ok() && exec(QStringLiteral("DELETE FROM attempts WHERE pupil_id = ?"), {pupilId});
}

bool Store::deleteAllResults()
{
    return ok() && exec(QStringLiteral("DELETE FROM attempts"));
}

QString Store::setting(const QString &key) const
{
    if (!ok())
        return {};
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    q.addBindValue(key);
    return q.exec() && q.next() ? q.value(0).toString() : QString();
}

bool Store::setSetting(const QString &key, const QString &value)
{
    if (value.isEmpty())
        return ok() && exec(QStringLiteral("DELETE FROM settings WHERE key = ?"), {key});
    return ok() && exec(QStringLiteral("INSERT INTO settings (key, value) VALUES (?, ?)"
                                       " ON CONFLICT (key) DO UPDATE SET value = excluded.value"),
                        {key, value});
}

}  // namespace reg
