// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The sound request: when sound is on, the backdrop's sound device plays a relative .wav path
// (loading the backdrop first if need be). Nothing else changes; nothing is reported.
void playsound(const QString &relativePath);
