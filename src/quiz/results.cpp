// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/results.h"

#include <QMap>
#include <QStringList>
#include <algorithm>

namespace results {

QString message(int score, int total)
{
    const QString outOf = QStringLiteral(" %1 out of %2.").arg(score).arg(total);
    if (fullMarks(score, total))
        return QStringLiteral("Excellent work. You have scored") + outOf;
    return (score >= total - 2 ? QStringLiteral("Good work. You have scored") : QStringLiteral("You have scored")) + outOf;
}

QString celebration(int score, double r)
{
    static const QMap<int, QStringList> sounds = {
        {10, {QStringLiteral("wav\\fanf2.wav"), QStringLiteral("wav\\fanf3.wav")}},
        {9, {QStringLiteral("wav\\crowd.wav"), QStringLiteral("wav\\cheer2.wav"), QStringLiteral("wav\\klaxon.wav")}},
        {8, {QStringLiteral("wav\\flute.wav"), QStringLiteral("wav\\gong.wav"), QStringLiteral("wav\\clap2.wav")}},
        {7, {QStringLiteral("wav\\drumroll.wav"), QStringLiteral("wav\\laser2.wav"), QStringLiteral("wav\\whizz.wav")}},
        {6, {QStringLiteral("wav\\clap3.wav"), QStringLiteral("wav\\clown.wav")}},
    };
    const QStringList row = sounds.value(score);
    if (row.isEmpty())
        return {};
    const int i = std::clamp(int(r * row.size()), 0, int(row.size()) - 1);
    return row[i];
}

int mark(const QString &correct, int chosen)
{
    // The loader lets only "1" to "4" through, so a right answer is always one of the options.
    const int n = correct.toInt();
    return chosen >= 1 && chosen <= 4 && n == chosen ? 1 : 0;
}

QList<int> wrongQuestions(const std::array<Var, 11> &marks)
{
    QList<int> wrong;
    for (int q = 1; q <= 10; ++q)
        if (marks[std::size_t(q)] == 0)
            wrong << q;
    return wrong;
}

}  // namespace results
