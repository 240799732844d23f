#include "formats/logging.h"

Q_LOGGING_CATEGORY(lcWmf, "quillmoor.wmf", QtWarningMsg)
