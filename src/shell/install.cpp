// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/install.h"

#include "core/navigation.h"
#include "register/classroom.h"
#include "ui/accessibility.h"
#include "ui/screens.h"
#include "shell/grey.h"
#include "shell/intro0.h"

namespace shell {
namespace {

class ShellFloor : public navigation::Shell {
public:
    void showMenu() override { Screens::show<intro0>(); }
    navigation::MenuLook menuLook() override
    {
        intro0 *menu = Screens::get<intro0>();
        return {menu->Image1->picture(), menu->Label1->text()};
    }
    SoundDevice *backdropSound() override { return Screens::get<Grey>()->SndDevil1.get(); }
};

}  // namespace

void install()
{
    accessibility::install();
    classroom::install();
    static ShellFloor floor;
    navigation::setShell(&floor);
}

}  // namespace shell
