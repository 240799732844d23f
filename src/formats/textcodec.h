// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text files are Windows-1252 when every character fits, so files stay readable by older tools
// and the shipped banks need no conversion; anything else is written as UTF-8 so nothing typed
// is lost. A reader takes valid UTF-8 holding multi-byte sequences as UTF-8, the rest as 1252.
#include <QByteArray>
#include <QString>

namespace textcodec {

bool fitsWindows1252(const QString &text);
QByteArray toWindows1252(const QString &text);   // characters that do not fit become '?'
QString fromWindows1252(const QByteArray &bytes);

// The writer's rule: one encoding for the whole text, UTF-8 also when some 1252 bytes would pass
// for UTF-8, so every text reads back as written.
QByteArray encode(const QString &text);
// The reader's rule, applied to any run of bytes.
QString decode(const QByteArray &bytes);

}  // namespace textcodec
