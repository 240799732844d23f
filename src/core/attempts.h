// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the class register hooks in: before a quiz or an activity starts, who is doing it; when
// its score shows, what they got. With no register installed (or no class set up) a start goes
// ahead at once and nothing is kept.
#include <QString>
#include <functional>

namespace attempts {

struct Hooks {
    // Runs `start` once the pupil is known (or at once); may never run it, if the pupil turns back.
    std::function<void(const QString &activity, std::function<void()> start)> beforeStart;
    // The score of what was started last, shown now; marks holds a quiz's, '1' or '0' a question.
    std::function<void(int score, int total, const QString &marks)> finished;
    // The name of the pupil doing it, for the certificate; empty when not known.
    std::function<QString()> pupilName;
};

void install(Hooks hooks);
void beforeStart(const QString &activity, std::function<void()> start);
void finished(int score, int total, const QString &marks = {});
QString pupilName();

}  // namespace attempts
