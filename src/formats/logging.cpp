// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/logging.h"

Q_LOGGING_CATEGORY(lcWmf, "quillmoor.wmf", QtWarningMsg)
