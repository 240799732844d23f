// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/soundrequest.h"

#include "core/navigation.h"
#include "core/shared.h"
#include "services/sound.h"

void playsound(const QString &relativePath)
{
    if (shared::soundflag != 1)
        return;
    if (navigation::Shell *shell = navigation::shell())
        shell->backdropSound()->play(relativePath);
}
