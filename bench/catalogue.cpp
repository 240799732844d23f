// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a worksheet, deleting one, and opening the browser, with a catalogue of 1000 titles
// (999 before each save), in a temporary teacher's folder; file syncs included. Median of 30.
// Usage: bench_catalogue DATA_DIR
#include "authoring/browser.h"
#include "authoring/worksheets.h"
#include "services/fonts.h"
#include "ui/messages.h"
#include "services/paths.h"
#include "ui/screens.h"
#include "core/shared.h"
#include "shell/grey.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
class Silent : public MessageBoxes {
public:
    void ok(const QString &) override {}
    bool okCancel(const QString &) override { return true; }
    QString openFile(const QString &, const QString &) override { return {}; }
    QString saveFile(const QString &, const QString &, const QString &) override { return {}; }
};
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fonts::registerFonts();
    Screens::setStage<Grey>();
    QTemporaryDir dir;
    paths::setDataDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/share/quillmoor"));
    paths::setTeacherDir(dir.path());
    messages::set(std::make_unique<Silent>());
    QByteArray track = " 999 \r\n";
    for (int i = 1; i <= 999; ++i)
        track += "Worksheet number " + QByteArray::number(i) + "\r\n";
    QFile f(dir.filePath(QStringLiteral("track.txt")));
    f.open(QIODevice::WriteOnly);
    f.write(track);
    f.close();

    WorksheetEntries e;
    e.title = QStringLiteral("A new worksheet");
    for (int q = 0; q < 10; ++q) {
        e.questions[std::size_t(q)] = QStringLiteral("Which planet is number %1?").arg(q + 1);
        for (int a = 0; a < 4; ++a)
            e.answers[std::size_t(4 * q + a)] = QStringLiteral("Answer %1").arg(a);
        e.ticks[std::size_t(4 * q)] = true;
    }
    std::vector<double> saves, deletes, opens;
    for (int i = 0; i < 30; ++i) {
        QElapsedTimer t;
        t.start();
        saveworksheet(e);  // appended as title 1000
        saves.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        worksheets *b = Screens::show<worksheets>();
        QApplication::processEvents();
        opens.push_back(t.nsecsElapsed() / 1e6);
        Screens::unload(b);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shared::currentworksheet = e.title;
        t.restart();
        delworksheet();
        deletes.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("save with 1000 titles: %.2f ms; delete: %.2f ms; open the browser: %.2f ms (goal: each under 20 ms)\n",
                median(saves), median(deletes), median(opens));
    return 0;
}
