// SPDX-License-Identifier: GPL-3.0-or-later
// Read-aloud's start-up: how long loading the speech module and starting its engine takes (done
// once, after the title screen is up), and how long from a request to say a question until the
// engine reports it is speaking. Run with a sound server: build/bench/bench_speech
#include "services/sound.h"
#include "services/speech.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    speech::setModuleDir(sound::moduleDirForExecutable(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")));
    QElapsedTimer t;
    t.start();
    speech::warmUp();
    Speaker *s = speech::speaker();
    const bool ready = s->available();
    std::printf("module and engine ready: %s in %lld ms\n", ready ? "yes" : "no", static_cast<long long>(t.elapsed()));
    if (!ready)
        return 1;
    for (int run = 0; run < 3; ++run) {
        t.restart();
        s->say(QStringLiteral("Which planet is closest to the Sun? A: Venus. B: Mercury. C: Earth. D: Mars."));
        while (!s->speaking() && t.elapsed() < 5000)
            QTest::qWait(1);
        std::printf("say to speaking: %lld ms\n", static_cast<long long>(t.elapsed()));
        QTest::qWait(300);
        s->stop();
        QTest::qWait(200);
    }
    return 0;
}
