// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/outbox.h"

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

const QStringList kTables = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS waiting (uuid TEXT PRIMARY KEY, pupil_id INTEGER NOT NULL, activity TEXT NOT NULL,"
                   " score INTEGER NOT NULL, total INTEGER NOT NULL, marks TEXT NOT NULL, started TEXT NOT NULL,"
                   " ended TEXT NOT NULL, computer TEXT NOT NULL, kept INTEGER NOT NULL)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS classes (id INTEGER PRIMARY KEY, name TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS pupils (id INTEGER PRIMARY KEY, class_id INTEGER NOT NULL, name TEXT NOT NULL)"),
};

QString stamp(const QDateTime &t) { return t.toUTC().toString(Qt::ISODateWithMs); }
QDateTime unstamp(const QString &s) { return QDateTime::fromString(s, Qt::ISODateWithMs).toLocalTime(); }

}  // namespace

QString Outbox::defaultPath() { return QDir(paths::localDir()).filePath(QStringLiteral("outbox.sqlite")); }

Outbox::Outbox(const QString &path) : path_(path), connection_(QStringLiteral("outbox-") + QUuid::createUuid().toString(QUuid::Id128))
{
    if (open())
        return;
    // Unreadable: kept aside for a technician, and a fresh one made so attempts go on being kept.
    close();
    const QString aside = path_ + QStringLiteral("-damaged-") + QDate::currentDate().toString(Qt::ISODate);
    QFile::remove(aside);
    if (QFile::exists(path_) && QFile::rename(path_, aside)) {
        for (const char *suffix : {"-wal", "-shm"})
            QFile::remove(path_ + QLatin1String(suffix));
        qCWarning(lcRegister) << "damaged outbox moved aside to" << aside;
        ok_ = open();
    }
    if (!ok_)
        qCWarning(lcRegister) << "the outbox cannot be written in" << QFileInfo(path_).absolutePath();
}

Outbox::~Outbox() { close(); }

void Outbox::close()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

bool Outbox::open()
{
    ok_ = false;
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        return false;
    if (!QFile::exists(path_)) {
        QFile f(path_);
        if (!f.open(QIODevice::WriteOnly) || !f.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
            return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        return false;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok"))
        return false;
    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA secure_delete=ON"})
        if (!q.exec(QLatin1String(pragma)))
            return false;
    for (const QString &sql : kTables)
        if (!q.exec(sql))
            return false;
    ok_ = true;
    return true;
}

bool Outbox::add(const Attempt &a)
{
    if (!ok_ || a.uuid.isEmpty())
        return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("INSERT INTO waiting VALUES (?, ?, ?, ?, ?, COALESCE(?, ''), ?, ?, COALESCE(?, ''),"
                             " (SELECT COALESCE(MAX(kept), 0) + 1 FROM waiting)) ON CONFLICT DO NOTHING"));
    for (const QVariant &v : QVariantList{a.uuid, a.pupilId, a.activity, a.score, a.total, a.marks, stamp(a.started), stamp(a.ended), a.computer})
        q.addBindValue(v);
    if (!q.exec()) {
        qCWarning(lcRegister) << "outbox write failed:" << q.lastError().text();
        return false;
    }
    return true;
}

QList<Attempt> Outbox::waiting() const
{
    QList<Attempt> out;
    if (!ok_)
        return out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.exec(QStringLiteral("SELECT uuid, pupil_id, activity, score, total, marks, started, ended, computer FROM waiting ORDER BY kept"));
    while (q.next()) {
        Attempt a;
        a.uuid = q.value(0).toString();
        a.pupilId = q.value(1).toLongLong();
        a.activity = q.value(2).toString();
        a.score = q.value(3).toInt();
        a.total = q.value(4).toInt();
        a.marks = q.value(5).toString();
        a.started = unstamp(q.value(6).toString());
        a.ended = unstamp(q.value(7).toString());
        a.computer = q.value(8).toString();
        out.append(a);
    }
    return out;
}

int Outbox::count() const
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    return ok_ && q.exec(QStringLiteral("SELECT COUNT(*) FROM waiting")) && q.next() ? q.value(0).toInt() : 0;
}

bool Outbox::forget(const QString &uuid)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("DELETE FROM waiting WHERE uuid = ?"));
    q.addBindValue(uuid);
    return ok_ && q.exec();
}

bool Outbox::setLists(const QList<ClassInfo> &classes, const QList<Pupil> &pupils)
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!ok_ || !db.transaction())
        return false;
    QSqlQuery q(db);
    bool done = q.exec(QStringLiteral("DELETE FROM pupils")) && q.exec(QStringLiteral("DELETE FROM classes"));
    q.prepare(QStringLiteral("INSERT INTO classes VALUES (?, ?)"));
    for (const ClassInfo &c : classes) {
        q.addBindValue(c.id);
        q.addBindValue(c.name);
        done = done && q.exec();
    }
    q.prepare(QStringLiteral("INSERT INTO pupils VALUES (?, ?, ?)"));
    for (const Pupil &p : pupils) {
        q.addBindValue(p.id);
        q.addBindValue(p.classId);
        q.addBindValue(p.name);
        done = done && q.exec();
    }
    if (done && db.commit())
        return true;
    db.rollback();
    return false;
}

QList<ClassInfo> Outbox::classes() const
{
    QList<ClassInfo> out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (ok_ && q.exec(QStringLiteral("SELECT id, name FROM classes ORDER BY lower(name), name")))
        while (q.next())
            out.append({q.value(0).toLongLong(), q.value(1).toString()});
    return out;
}

QList<Pupil> Outbox::pupils(qint64 classId) const
{
    QList<Pupil> out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT id, class_id, name FROM pupils WHERE class_id = ? ORDER BY lower(name), name"));
    q.addBindValue(classId);
    if (ok_ && q.exec())
        while (q.next())
            out.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString()});
    return out;
}

}  // namespace reg
