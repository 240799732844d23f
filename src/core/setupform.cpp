#include "core/setupform.h"

#include "platform/picturebox.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "platform/theme.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

void setupform(Screen *screen)
{
    screen->setBackColor(theme::windowBlue);
    screen->setCaption(QStringLiteral("Quillmoor"));

    // From here on nothing may stop the fitting; a screen without Picture1 is the ordinary case.
    if (auto *picture = screen->findChild<PictureBox *>(QStringLiteral("Picture1"), Qt::FindDirectChildrenOnly))
        picture->setBackColor(theme::pictureBlue);

    screen->resize(twips::toPx(kScreenWidthTwips), twips::toPx(kScreenHeightTwips));

    QScreen *display = screen->screen() ? screen->screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    const double displayW = twips::fromPx(display->geometry().width());
    const double displayH = twips::fromPx(display->geometry().height());

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Centred in floating point with no clamping: on a display smaller than the screen the
    // origin goes negative and the window runs past the top-left corner.
    const double height = twips::fromPx(screen->frameGeometry().height());
    const double width = twips::fromPx(screen->frameGeometry().width());
    const double top = displayH / 2 - height / 2;
    const double left = displayW / 2 - width / 2;
    screen->move(display->geometry().x() + twips::toPx(left), display->geometry().y() + twips::toPx(top));
    QGuiApplication::restoreOverrideCursor();
}
