// SPDX-License-Identifier: GPL-3.0-or-later
// Peak memory of a run that opens every screen once, the way their buttons do, with both
// animations turning a full cycle while in view. Prints the peak resident size (VmHWM).
// Usage: bench_memory [DATA_DIR]
#include "services/fonts.h"
#include "services/paths.h"
#include "ui/screens.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "shell/grey.h"
#include "shell/install.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "topics/hub.h"
#include "viewers/teacher.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void settle() { QApplication::processEvents(); }

QString peak()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return QString::number(line.mid(6).trimmed().split(' ').first().toDouble() / 1024, 'f', 1);
    return QStringLiteral("?");
}

template <class Hub>
void throughHub(intro0 *menu, int entry)
{
    menu->Label2_Click(entry);
    settle();
    Hub *hub = Screens::find<Hub>();
    if constexpr (std::is_same_v<Hub, weather>) {
        hub->Timer1->stop();
        for (int i = 0; i < 100; ++i) {
            hub->Timer1_Timer();
            settle();
        }
    }
    for (int button : {4, 5, 0, 3, 1}) {  // key facts, notes, quiz, ordering, labelling
        hub->label3_Click(button);
        settle();
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir teacherHome;
    qputenv("XDG_DATA_HOME", teacherHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    fonts::registerFonts();
    shell::install();
    Screens::setStage<Grey>();
    paths::setDataDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/share/quillmoor"));
    Screens::show<Titlefrm>();
    settle();
    Screens::find<Titlefrm>()->Command1->click();  // "OK"
    settle();
    intro0 *menu = Screens::find<intro0>();
    throughHub<weather>(menu, 10);
    throughHub<temperature>(menu, 0);
    Screens::show<Welldone>();
    settle();
    Screens::show<Wrong>();
    settle();
    menu->Label2_Click(19);  // acknowledgments, the logo turning
    settle();
    teacher *t = Screens::find<teacher>();
    t->Timer1->stop();
    for (int i = 0; i < 20; ++i) {
        t->Timer1_Timer();
        settle();
    }
    for (int entry : {20, 17, 18}) {  // guide, wizard, catalogue
        Screens::show<intro0>();
        menu->Label2_Click(entry);
        settle();
    }
    std::printf("peak memory with every screen opened once: %s MiB (goal: at most 50 MiB)\n", qPrintable(peak()));
    return 0;
}
