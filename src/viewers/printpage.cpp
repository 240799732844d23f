// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/printpage.h"

#include "ui/picturebox.h"
#include "services/printing.h"
#include "services/logging.h"

void printPicture(const PictureBox *printRendering)
{
    const wmf::Metafile *page = printRendering->metafile();
    if (!page)
        return;
    try {
        auto printer = printing::open();
        printer->printEndingLine(QString());
        printer->picture(QPointF(1000, 1000), *page);
        printer->endDocument();
    } catch (const PrintError &e) {
        qCWarning(lcPrint, "printing failed: %s", e.what());
    }
}
