// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace fonts {

void registerFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Only the regular face: fontconfig reads no character set from the clone's bold file, so Qt
    // would draw every bold caption in a fallback family. From the regular face Qt makes the bold
    // itself, in Tahoma's shapes.
    const QString tahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
    if (QFile::exists(tahoma))
        QFontDatabase::addApplicationFont(tahoma);
}

}  // namespace fonts
