// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The media files several floors name, written as the program writes every media path.
#include <QString>

namespace media {

inline const QString click = QStringLiteral("wav\\click.wav");
inline const QString thud = QStringLiteral("wav\\thud3.wav");
inline const QString typekey = QStringLiteral("wav\\typekey.wav");
inline const QString icicle = QStringLiteral("images\\icicle.jpg");

}  // namespace media
