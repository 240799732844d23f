// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Length limits on text boxes counted in characters as a reader sees them: an emoji, a letter
// with its accents or a flag is one character and is never cut in half. A plain maximum length
// counts UTF-16 code units, so it would count an emoji as two and keep half of one at the limit.
#include <QString>
#include <QValidator>

class QLineEdit;

namespace textlimit {

// The number of characters a reader sees (grapheme clusters).
int length(const QString &text);

// Keeps the box to at most max characters (and a bounded number of code units, so no stack of
// combining marks can make a file line unbounded). What does not fit is dropped from what was just
// typed or pasted, whole characters only; line breaks and other control characters become blanks
// since a box holds one line.
void limit(QLineEdit *box, int max);

// limit(), and a count of the characters left ("3 left") inside the box's right end once the
// text comes within `near` characters of max, so the limit is never a surprise.
void limitWithCount(QLineEdit *box, int max, int near = 10);

// The count limitWithCount() shows for a text: empty while it is not near the limit.
QString remainingText(const QString &text, int max, int near);

}  // namespace textlimit
