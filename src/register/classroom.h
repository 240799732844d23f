// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The register at work: once a class is set up, the picker before each quiz and activity, and
// each finished one kept for the pupil who picked their name. On one computer, until then nothing
// is asked and nothing is written; the register's file is not even made. With the school's server
// (the technician's settings), the classes come from the server and each attempt goes through
// this computer's outbox, so none is lost while the server cannot be reached.
#include "register/store.h"

namespace reg {
class ServerLink;
}

namespace classroom {

// Hooks the register into every quiz and activity's start and score, on the school's server when
// the technician's settings name one.
void install();
// The register file on this computer, opened on first need; null when there is none yet or the
// register is on the school's server.
reg::Store *store();
// The teacher's room's register: this computer's file, made when there is none yet, or the
// school's server. Check ok().
reg::Register *setUp();
// The link to the school's server; null on one computer.
reg::ServerLink *link();
// From now on, the register on the school's server through this libpq service (empty: this
// computer's file).
void useServer(const QString &service);
// Forgets the open register (tests, and after the teacher's room changes the file).
void reset();

}  // namespace classroom
