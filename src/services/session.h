// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The end of the desktop session: log-out and SIGTERM (and SIGHUP, when the terminal goes) end
// the program at once, without asking, as its own "Exit" does.
#include <functional>

namespace session {
// Runs `end` on the user-interface thread when one of those signals arrives. Call once, after the
// application object exists.
void endOnSignals(std::function<void()> end);
}  // namespace session
