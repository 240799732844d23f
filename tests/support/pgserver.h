// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A PostgreSQL server of the test's own: a fresh cluster in a temporary folder, reached only
// through a Unix socket in that folder (no TCP port), run as the unprivileged user "nobody" when
// the tests run as root, as the server refuses root. Stopped by its PID when the object goes.
// The machine's own clusters are never used or touched.
#include <QString>
#include <QTemporaryDir>

class PgServer {
public:
    // The folder of initdb and pg_ctl, or empty when no server is installed.
    static QString binDir();

    // Makes and starts the cluster; check ok(). Tests run it without syncing to the disk; a
    // durable one syncs each commit, as a school's server does.
    explicit PgServer(bool durable = false);
    ~PgServer();
    PgServer(const PgServer &) = delete;
    PgServer &operator=(const PgServer &) = delete;

    bool ok() const { return running_; }
    QString socketDir() const { return dir_.path(); }
    bool start();
    bool stop();

    // Runs SQL as the cluster's superuser "quillmoor" in the database; empty on failure, else
    // psql's unaligned output (which may itself be empty: check the bool).
    bool sql(const QString &statements, QString *out = nullptr, const QString &database = QStringLiteral("register"));

    // A libpq service file with the service "quillmoor" for the role `user` on the database, in
    // the folder; points PGSERVICEFILE at it and returns its path.
    QString useService(const QString &user, const QString &database = QStringLiteral("register"));

    // As a technician sets up a school before the register's first start: the pupils' and the
    // teachers' groups, and the roles "pupil" and "teacher" in them.
    bool addSchoolRoles();

    // From now on the role signs in with this password (every other role still needs none).
    bool requirePassword(const QString &role, const QString &password);

private:
    bool run(const QStringList &command, QString *out = nullptr) const;
    QTemporaryDir dir_;
    bool durable_ = false;
    bool running_ = false;
};
