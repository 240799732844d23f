// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/quizaccess.h"

#include "core/readaloud.h"
#include "ui/accessibility.h"
#include "quiz/multiple.h"

namespace {
// In the free space right of the question; every designed control keeps its place.
constexpr double kSpeakerLeft = 10920, kSpeakerTop = 3960;

QString questionText(const multiple *q)
{
    QStringList answers;
    for (int i = 1; i <= 4; ++i)
        answers << q->Option1[i]->text();
    return readableQuestion(q->Label2->text(), answers);
}
}  // namespace

namespace quizaccess {

void attach(multiple *quiz)
{
    new ReadAloud(quiz, [quiz] { return questionText(quiz); }, kSpeakerLeft, kSpeakerTop);
    // The no-answer button sits hidden under the picture; a reader still meets it.
    quiz->Option1[5]->setAccessibleName(QStringLiteral("No answer"));
    quiz->Picture1->setAccessibleName(QStringLiteral("Topic picture"));
}

void namesShown(multiple *quiz)
{
    // What a reader says, not the arrows the captions draw ("greater greater"); the captions stay.
    quiz->label3[0]->setAccessibleName(QStringLiteral("Previous question"));
    const bool last = quiz->label3[1]->text() == QLatin1String("Check Score >>");
    quiz->label3[1]->setAccessibleName(last ? QStringLiteral("Check score") : QStringLiteral("Next question"));
    // Each answer with its letter, as read-aloud says it and the keys A to D choose it.
    for (int i = 1; i <= 4; ++i) {
        // A comma, which a reader pauses at; a colon it would say ("A colon Venus").
        quiz->Option1[i]->setAccessibleName(QStringLiteral("%1, %2").arg(QLatin1Char(char('A' + i - 1))).arg(quiz->Option1[i]->text()));
        // Its place in the four, which Qt does not pass on for a group of option buttons.
        quiz->Option1[i]->setAccessibleDescription(QStringLiteral("%1 of 4").arg(i));
    }
}

void questionShown(multiple *quiz)
{
    if (auto *r = quiz->findChild<ReadAloud *>(QStringLiteral("readaloud")))
        r->stop();
    accessibility::announce(quiz, quiz->Label4->text() + QStringLiteral(". ") + quiz->Label2->text());
}

}  // namespace quizaccess
