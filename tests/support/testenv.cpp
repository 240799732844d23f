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
}  // namespace

TestEnv::TestEnv()
{
    fonts::registerFonts();
    shell::install();
    Screens::setStage<Grey>();
    Screens::reset();
    classroom::reset();
    focus::setKeyboardInUse(false);
    shared::reset();
    copyTree(QStringLiteral(QUILLMOOR_BUILD_DATA), data_.path());
    paths::setDataDir(data_.path());
    paths::setTeacherDir(teacherDir());
    sound::setFactory([this] { return std::make_unique<RecordingSound>(&played); });
    setSpeechEngine(true);
    auto boxes = std::make_unique<ScriptedMessages>();
    messages = boxes.get();
    messages::set(std::move(boxes));
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
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
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
