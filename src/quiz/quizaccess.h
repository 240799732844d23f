// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quiz for a pupil who listens: the read-aloud button beside the question, the question told
// to a screen reader as it changes, and names for the controls that show no text.
class multiple;

namespace quizaccess {
// Made once, by the quiz's constructor.
void attach(multiple *quiz);
// After each question is shown: any reading of the last one stops, and a reader hears the new one.
void questionShown(multiple *quiz);
// The names a reader gives the question's buttons and answers ("Next question", "A: Venus").
void namesShown(multiple *quiz);
}  // namespace quizaccess
