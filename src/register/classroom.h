// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The register at work: once a class is set up, the picker before each quiz and activity, and
// each finished one kept for the pupil who picked their name. Until then nothing is asked and
// nothing is written; the register's file is not even made.
#include "register/store.h"

#include <memory>

namespace classroom {

// Hooks the register into every quiz and activity's start and score.
void install();
// The register in use, opened on first need; null when there is none yet.
reg::Store *store();
// The register, made when there is none yet (the teacher's room sets one up); check ok().
reg::Store *setUp();
// Forgets the open register (tests, and after the teacher's room changes the file).
void reset();

}  // namespace classroom
