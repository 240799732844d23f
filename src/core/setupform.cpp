// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/setupform.h"

#include "ui/picturebox.h"
#include "ui/screen.h"
#include "ui/twips.h"
#include "ui/theme.h"

#include <QGuiApplication>
#include <cmath>

void setupform(Screen *screen)
{
    screen->setBackColor(theme::windowBlue);
    screen->setCaption(QStringLiteral("Quillmoor"));

    // From here on nothing may stop the fitting; a screen without Picture1 is the ordinary case.
    if (auto *picture = screen->findChild<PictureBox *>(QStringLiteral("Picture1"), Qt::FindDirectChildrenOnly))
        picture->setBackColor(theme::pictureBlue);

    screen->resize(twips::toPx(kScreenWidthTwips), twips::toPx(kScreenHeightTwips));

    // The stage stands where the display did: it fills the display from its top-left corner.
    const QWidget *stage = screen->parentWidget();
    if (!stage)
        return;
    const double displayW = twips::fromPx(stage->width());
    const double displayH = twips::fromPx(stage->height());

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Centred in floating point with no clamping: on a display smaller than the screen the
    // origin goes negative and the window runs past the top-left corner.
    const double height = twips::fromPx(screen->frameGeometry().height());
    const double width = twips::fromPx(screen->frameGeometry().width());
    const double top = displayH / 2 - height / 2;
    const double left = displayW / 2 - width / 2;
    screen->move(twips::toPx(left), twips::toPx(top));
    QGuiApplication::restoreOverrideCursor();
}
