#pragma once
// What every test of the screens starts from: a program just started, with its own data folder
// (a copy of the built media) and teacher's folder, a recording sound device and scripted message
// boxes. Construct one in init() (or per test) and let it go in cleanup().
#include "platform/messages.h"
#include "platform/sound.h"

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
};

class TestEnv {
public:
    TestEnv();
    ~TestEnv();

    QString dataDir() const { return data_.path(); }
    QString teacherDir() const { return teacher_.path() + QStringLiteral("/quillmoor/multiple"); }

    // Writes a file relative to a folder, creating folders; raw bytes as given.
    static void writeFile(const QString &path, const QByteArray &bytes);
    // A listing of every file below a folder with its size and modification time, to prove
    // nothing was written there.
    static QStringList snapshot(const QString &dir);

    QStringList played;
    ScriptedMessages *messages;

private:
    QTemporaryDir data_;
    QTemporaryDir teacher_;
};

// Lets the event loop run timers and deferred deletions.
void settle(int ms = 20);
