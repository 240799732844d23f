// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every test of the screens starts from: a program just started, with its own data folder
// (a copy of the built media) and teacher's folder, a recording sound device and scripted message
// boxes. Construct one in init() (or per test) and let it go in cleanup().
#include "ui/messages.h"
#include "services/sound.h"
#include "services/speech.h"

#include <QStringList>
#include <QTemporaryDir>
#include <deque>

class RecordingSound : public SoundDevice {
public:
    explicit RecordingSound(QStringList *log) : log_(log) {}
    void play(const QString &relativePath) override { log_->append(relativePath); }

private:
    QStringList *log_;
};

// Logs "say <text>" and "stop"; speaks until stopped or finished. With no engine it offers nothing.
class RecordingSpeaker : public Speaker {
public:
    RecordingSpeaker(QStringList *log, bool engine) : log_(log), engine_(engine) {}
    bool available() const override { return engine_; }
    void say(const QString &text) override
    {
        log_->append(QStringLiteral("say ") + text);
        speaking_ = true;
    }
    void stop() override
    {
        log_->append(QStringLiteral("stop"));
        speaking_ = false;
    }
    bool speaking() const override { return speaking_; }
    bool screenReaderRunning() const override { return screenReader; }
    // The voice comes to the end of the text by itself.
    void finish() { speaking_ = false; }
    bool screenReader = false;

private:
    QStringList *log_;
    bool engine_;
    bool speaking_ = false;
};

// While it lives, the folder can be read but not written, as a pupils' computer sees a shared
// folder. As root, permissions alone would not stop a write, so the process then acts as the
// unprivileged user "nobody" (the folders above are opened for it to pass through).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    QString folder_;
    bool asNobody_ = false;
};

class ScriptedMessages : public MessageBoxes {
public:
    QStringList shown;
    std::deque<bool> answers;  // for okCancel; OK when none is scripted
    void ok(const QString &text) override { shown.append(text); }
    bool okCancel(const QString &text) override
    {
        shown.append(text);
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<QString> files;  // for the file dialogs; cancelled when none is scripted
    QString openFile(const QString &caption, const QString &) override { return file(caption); }
    QString saveFile(const QString &caption, const QString &, const QString &) override { return file(caption); }

private:
    QString file(const QString &caption)
    {
        shown.append(caption);
        if (files.empty())
            return {};
        const QString f = files.front();
        files.pop_front();
        return f;
    }
};

class TestEnv {
public:
    TestEnv();
    ~TestEnv();

    // The program's data folder: the build's own, its folders linked, not copied, so that a
    // test's set-up costs no disk time. A test that changes a folder takes its own copy first.
    QString dataDir() const { return data_.path(); }
    QString ownDataFolder(const QString &folder);
    QString teacherDir() const { return teacher_.path() + QStringLiteral("/quillmoor/multiple"); }

    // Writes a file relative to a folder, creating folders; raw bytes as given.
    static void writeFile(const QString &path, const QByteArray &bytes);
    // A listing of every file below a folder with its size and modification time, to prove
    // nothing was written there.
    static QStringList snapshot(const QString &dir);

    QStringList played;
    QStringList spoken;
    // A test of "no speech engine" sets this before the screens it looks at are made.
    void setSpeechEngine(bool present);
    ScriptedMessages *messages;

private:
    QTemporaryDir data_;
    QTemporaryDir teacher_;
    QTemporaryDir noSchool_;  // as XDG_CONFIG_DIRS: never the machine's school settings
};

// Lets the event loop run timers and deferred deletions.
void settle(int ms = 20);
