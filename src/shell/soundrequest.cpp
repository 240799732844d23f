#include "shell/soundrequest.h"

#include "platform/screens.h"
#include "shell/grey.h"
#include "shell/shared.h"

void playsound(const QString &relativePath)
{
    if (shared::soundflag != 1)
        return;
    Screens::get<Grey>()->SndDevil1->play(relativePath);
}
