// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class register: classes, their pupils and every attempt a pupil finished, in one SQLite
// file readable by its owner only, or on a school's PostgreSQL server shared by every computer.
// Each change is one transaction, committed before the call returns, so a crash after a score
// shows loses nothing. Two copies of the program on one computer share the file (WAL journal, a
// busy timeout); on a server, every attempt's UUID keeps a resent one from being kept twice.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace reg {

struct ClassInfo {
    qint64 id = 0;
    QString name;
};

struct Pupil {
    qint64 id = 0;
    qint64 classId = 0;
    QString name;
};

// One finished quiz, activity or worksheet.
struct Attempt {
    QString uuid;           // made where the attempt happened; the same attempt is never kept twice
    qint64 pupilId = 0;
    QString className;      // filled in when read back
    QString pupil;          // filled in when read back
    QString activity;       // "Other Planets: Multiple Choice", a worksheet's title, ...
    int score = 0;
    int total = 0;
    QString marks;          // a quiz's marks, one a question: '1' right, '0' wrong; empty otherwise
    QDateTime started;
    QDateTime ended;
    QString computer;
};

// A school's server, reached through a libpq service (host, port, database, user and TLS live
// in the technician's service file, a password in their .pgpass).
struct Server {
    QString service;
};

// What the teacher's room and the technician's commands do with a register, wherever it is.
class Register {
public:
    virtual ~Register() = default;
    virtual bool ok() const = 0;
    // What went wrong, in words a teacher can act on; empty when the register is usable.
    virtual QString error() const = 0;
    // Names the register, for telling two apart (the file, or the server's service).
    virtual QString path() const = 0;
    // Whether this computer's role may change the register and read the results (a teacher's),
    // not only add attempts and read the class lists (a pupils' computer on a school's server).
    virtual bool mayChange() const = 0;

    // The class of that name, made when there is none yet; 0 when it cannot be written.
    virtual qint64 addClass(const QString &name) = 0;
    virtual QList<ClassInfo> classes() const = 0;
    virtual bool renameClass(qint64 classId, const QString &name) = 0;
    // Removes the class, its pupils and all their results.
    virtual bool removeClass(qint64 classId) = 0;

    // Adds the names not yet in the class (letter case ignored); returns how many were added,
    // or -1 when nothing could be written.
    virtual int addPupils(qint64 classId, const QStringList &names) = 0;
    virtual QList<Pupil> pupils(qint64 classId) const = 0;
    virtual bool renamePupil(qint64 pupilId, const QString &name) = 0;
    // Removes the pupil and all their results.
    virtual bool removePupil(qint64 pupilId) = 0;

    // Keeps the attempt; true once it is committed.
    virtual bool record(const Attempt &attempt) = 0;
    // Every attempt, oldest first; with a class, that class's only.
    virtual QList<Attempt> attempts(qint64 classId = 0) const = 0;
    virtual bool deletePupilResults(qint64 pupilId) = 0;
    virtual bool deleteAllResults() = 0;

    // Small values the teacher's room keeps (the PIN's hash); an empty value is no value.
    virtual QString setting(const QString &key) const = 0;
    virtual bool setSetting(const QString &key, const QString &value) = 0;
};

class Store : public Register {
public:
    // The same on the file and the server: a program opens only a register of its own version or
    // an older one, which it brings forward.
    static constexpr int kSchemaVersion = 1;
    // Seconds a server is given to answer a connection, and each statement.
    static constexpr int kConnectTimeoutS = 3;
    static constexpr int kStatementTimeoutS = 5;

    // The register file beside the teacher's worksheets folder.
    static QString defaultPath();

    // Opens the register at `path`, making it when absent. A file that is not a sound register
    // is moved aside (its name then given by setAside()) and a fresh one made in its place.
    explicit Store(const QString &path = defaultPath());
    // Opens the register on the server, making its tables when the role may (the first start as
    // the register's owner). A server that cannot be reached or refuses is an error(), not a
    // damaged register: nothing is set aside.
    explicit Store(const Server &server);
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    bool ok() const override { return error_.isEmpty(); }
    QString error() const override { return error_; }
    QString setAside() const { return setAside_; }
    QString path() const override { return path_; }
    bool mayChange() const override;
    bool onServer() const { return server_; }
    // Whether the server still answers (after a failed statement: refused, or cut off?).
    bool answers() const;
    // The SQLSTATE (or SQLite code) of the last statement that failed.
    QString lastFailure() const { return lastFailure_; }

    qint64 addClass(const QString &name) override;
    QList<ClassInfo> classes() const override;
    bool renameClass(qint64 classId, const QString &name) override;
    bool removeClass(qint64 classId) override;
    int addPupils(qint64 classId, const QStringList &names) override;
    QList<Pupil> pupils(qint64 classId) const override;
    bool renamePupil(qint64 pupilId, const QString &name) override;
    bool removePupil(qint64 pupilId) override;
    bool record(const Attempt &attempt) override;
    QList<Attempt> attempts(qint64 classId = 0) const override;
    bool deletePupilResults(qint64 pupilId) override;
    bool deleteAllResults() override;
    QString setting(const QString &key) const override;
    bool setSetting(const QString &key, const QString &value) override;

private:
    enum class Opening { Opened, Damaged, Failed };
    Opening open();
    Opening openServer(const QString &service);
    void close();
    bool exec(const QString &sql, const QVariantList &values = {}) const;
    void fail(const QString &why);

    QString path_;
    bool server_ = false;
    QString connection_;
    QString error_;
    QString setAside_;
    mutable QString lastFailure_;
};

}  // namespace reg
