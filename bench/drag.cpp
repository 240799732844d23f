// SPDX-License-Identifier: GPL-3.0-or-later
// The drag-and-drop engine's speed on an eight-label screen: a thousand drag moves with their
// repaint, and the drop resolution (sixteen zone tests and the completion check).
// Usage: bench_drag DATA_DIR
#include "activities/ordering.h"
#include "services/fonts.h"
#include "services/paths.h"
#include "ui/screens.h"
#include "shell/grey.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fonts::registerFonts();
    Screens::setStage<Grey>();
    paths::setDataDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/share/quillmoor"));
    temperatureord *a = Screens::show<temperatureord>();
    a->Timer1->stop();
    QApplication::processEvents();

    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 1000; ++i) {
        // Small steps to and fro, as a hand moves a label.
        a->Label2_MouseMove(0, Qt::LeftButton, float(1537.5 + (i % 20 < 10 ? 45 : -45)), float(187.5 + (i % 7) - 3));
        QApplication::processEvents();  // the repaint of what moved
    }
    const double moves = t.nsecsElapsed() / 1e6;

    const int drops = 100000;
    t.restart();
    for (int i = 0; i < drops; ++i)
        a->Label2_MouseUp(3);
    const double perDrop = t.nsecsElapsed() / 1e3 / drops;
    std::printf("1000 drag moves with repaint: %.1f ms (goal: under 50 ms)\n", moves);
    std::printf("one drop resolution: %.2f us (goal: under 100 us)\n", perDrop);
    return 0;
}
