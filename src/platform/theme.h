#pragma once
// Colours the platform layer draws with on its own account.
#include <QColor>

namespace theme {
// The stage's backdrop behind every screen.
inline const QColor backdropBlue(48, 133, 214);
// The thin edge round each screen on the stage: a dark outer line and a light inner one.
inline const QColor edgeOuter(20, 20, 20);
inline const QColor edgeInner(220, 220, 220);
}  // namespace theme
