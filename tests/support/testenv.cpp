// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testenv.h"

#include "register/classroom.h"

#include "services/fonts.h"
#include "ui/focus.h"
#include "services/paths.h"
#include "ui/screens.h"
#include "core/shared.h"
#include "shell/install.h"
#include "shell/grey.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

namespace {
void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + QLatin1Char('/') + QDir(from).relativeFilePath(src);
        QDir().mkpath(QFileInfo(dst).absolutePath());
        QFile::copy(src, dst);
    }
}

// Each entry of a folder linked into another, so nothing is copied.
void linkTree(const QString &from, const QString &to)
{
    for (const QFileInfo &entry : QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (!QFile::link(entry.absoluteFilePath(), to + QLatin1Char('/') + entry.fileName()))
            qFatal("cannot link %s", qPrintable(entry.absoluteFilePath()));
}
}  // namespace

TestEnv::TestEnv()
{
    // Read at most once a run, so set before anything asks: a test never reaches a school's share or server.
    qputenv("XDG_CONFIG_DIRS", noSchool_.path().toLocal8Bit());
    fonts::registerFonts();
    shell::install();
    Screens::setStage<Grey>();
    Screens::reset();
    classroom::reset();
    focus::setKeyboardInUse(false);
    shared::reset();
    linkTree(QStringLiteral(QUILLMOOR_BUILD_DATA), data_.path());
    paths::setDataDir(data_.path());
    paths::setLocalDir(QFileInfo(teacherDir()).absolutePath());
    paths::setTeacherDir(teacherDir());
    sound::setFactory([this] { return std::make_unique<RecordingSound>(&played); });
    setSpeechEngine(true);
    auto boxes = std::make_unique<ScriptedMessages>();
    messages = boxes.get();
    messages::set(std::move(boxes));
}

QString TestEnv::ownDataFolder(const QString &folder)
{
    const QString at = data_.path() + QLatin1Char('/') + folder;
    if (QFileInfo(at).isSymLink()) {
        QFile::remove(at);
        copyTree(QStringLiteral(QUILLMOOR_BUILD_DATA) + QLatin1Char('/') + folder, at);
    }
    return at;
}

TestEnv::~TestEnv()
{
    Screens::reset();
    classroom::reset();
    sound::setFactory({});
    speech::setFactory({});
    messages::set(nullptr);
}

void TestEnv::setSpeechEngine(bool present)
{
    speech::setFactory([this, present] { return std::make_unique<RecordingSpeaker>(&spoken, present); });
}

void TestEnv::writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
}

QStringList TestEnv::snapshot(const QString &dir)
{
    QStringList out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (it.hasNext()) {
        const QFileInfo fi(it.next());
        out << QStringLiteral("%1 %2 %3").arg(fi.filePath()).arg(fi.size()).arg(fi.lastModified().toMSecsSinceEpoch());
    }
    out.sort();
    return out;
}

void settle(int ms)
{
    QTest::qWait(ms);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : folder_(folder)
{
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    if (geteuid() != 0)
        return;
    // Only the test's own folders lack this; a system folder such as /tmp is never touched (its
    // sticky bit would be lost).
    for (QDir up(QFileInfo(folder).absolutePath()); !up.isRoot(); up.cdUp())
        if (!(QFile::permissions(up.path()) & QFile::ExeOther))
            QFile::setPermissions(up.path(), QFile::permissions(up.path()) | QFile::ExeOther);
    const passwd *nobody = getpwnam("nobody");
    if (!nobody || seteuid(nobody->pw_uid) != 0)
        qFatal("cannot act as the user nobody");
    asNobody_ = true;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (asNobody_ && seteuid(0) != 0)
        qFatal("cannot act as root again");
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
