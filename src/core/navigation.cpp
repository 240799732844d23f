// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/navigation.h"

namespace navigation {
namespace {
Shell *current = nullptr;
}

void setShell(Shell *shell) { current = shell; }
Shell *shell() { return current; }

}  // namespace navigation
