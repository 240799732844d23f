// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's log, for a school's technician: Qt logging categories under "quillmoor.", written
// to standard error (so the systemd journal or the desktop session's log keeps them). Warnings,
// for real failures, are on by default; debug lines are off until QT_LOGGING_RULES or --verbose
// turns them on. No line ever carries a pupil's name, a worksheet's title or any other typed text.
#include "formats/logging.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMedia)
Q_DECLARE_LOGGING_CATEGORY(lcSound)
Q_DECLARE_LOGGING_CATEGORY(lcSpeech)
Q_DECLARE_LOGGING_CATEGORY(lcPrint)
Q_DECLARE_LOGGING_CATEGORY(lcWorksheets)
Q_DECLARE_LOGGING_CATEGORY(lcStage)
Q_DECLARE_LOGGING_CATEGORY(lcRegister)
Q_DECLARE_LOGGING_CATEGORY(lcSchool)

namespace logging {
// --verbose: every quillmoor category's debug lines on, whatever the environment says.
void setVerbose();
}  // namespace logging
