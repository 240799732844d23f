// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The worksheet: the whole question set on paper, questions at a sixteenth of the width, answers
// A and C at a third, B and D at two thirds. Reports the outcome in a message box.
void printWorksheet(const QString &productLine, const QString &title);

// The certificate for full marks: banners, headings, the pupil's name and score, and a frame of
// 32 lines. headingWidthTwips is the second heading's width as the results screen draws it.
void printCertificate(const QString &name, double headingWidthTwips);
