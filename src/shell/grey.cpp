// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/grey.h"

#include "ui/theme.h"
#include "shell/titlefrm.h"

Grey::Grey() : Stage(QStringLiteral("Grey"))
{
    SndDevil1 = sound::create();
}

void Grey::onLoad() { setBackColor(theme::backdropBlue); }

void Grey::closeRequested() { Titlefrm::openAsExitScreen(); }
