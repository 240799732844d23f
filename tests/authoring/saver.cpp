// SPDX-License-Identifier: GPL-3.0-or-later
// A second copy of the program, for the tests that need one, on the teacher's folder named by
// QUILLMOOR_TEACHER_DIR:
//   saver TITLE...               catalogues each title, trying again while the catalogue is busy
//   saver --hold                 holds the catalogue's lock, says "held", until stdin closes
//   saver --limited BYTES TITLE LENGTH [ignore]
//                                saves a worksheet whose texts are LENGTH letters long, with
//                                files limited to BYTES: killed by SIGXFSZ mid-write, or with
//                                "ignore" seeing the write fail. Exits with the outcome.
#include "authoring/catalogue.h"
#include "authoring/testsheets.h"
#include "services/paths.h"

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

int hold()
{
    const CatalogueLock lock;
    if (!lock.held())
        return 2;
    std::puts("held");
    std::fflush(stdout);
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    in.readAll();  // until the test closes our stdin
    return 0;
}

int limited(long long bytes, const QString &title, int length, bool ignore)
{
    const WorksheetEntries e = entries(title, QString(length, QLatin1Char('q')));
    if (ignore)
        std::signal(SIGXFSZ, SIG_IGN);
    const rlimit noCore{0, 0};  // a kill by the limit leaves no core file behind
    setrlimit(RLIMIT_CORE, &noCore);
    prctl(PR_SET_DUMPABLE, 0);
    const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 100;
    return int(writeworksheet(e));
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    paths::setTeacherDir(qEnvironmentVariable("QUILLMOOR_TEACHER_DIR"));
    paths::setDataDir(qEnvironmentVariable("QUILLMOOR_DATA_DIR"));
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--hold"))
        return hold();
    if (args.value(0) == QLatin1String("--limited"))
        return limited(args.value(1).toLongLong(), args.value(2), args.value(3).toInt(), args.value(4) == QLatin1String("ignore"));
    // A busy catalogue is tried again, as a teacher would; a title is never given up silently.
    for (const QString &title : args)
        for (int tries = 0; !trackworksheets(title); ++tries)
            if (tries == 20)
                return 1;
    return 0;
}
