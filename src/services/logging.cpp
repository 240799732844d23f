// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/logging.h"

Q_LOGGING_CATEGORY(lcMedia, "quillmoor.media", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSound, "quillmoor.sound", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSpeech, "quillmoor.speech", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPrint, "quillmoor.print", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWorksheets, "quillmoor.worksheets", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStage, "quillmoor.stage", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRegister, "quillmoor.register", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSchool, "quillmoor.school", QtWarningMsg)

namespace logging {

void setVerbose() { QLoggingCategory::setFilterRules(QStringLiteral("quillmoor.*.debug=true")); }

}  // namespace logging
