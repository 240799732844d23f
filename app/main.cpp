// SPDX-License-Identifier: GPL-3.0-or-later
// Quillmoor: read the command line, find the data folder, create the application, show the title
// screen.
#include "register/commands.h"
#include "services/fonts.h"
#include "services/logging.h"
#include "services/paths.h"
#include "services/school.h"
#include "ui/screens.h"
#include "services/session.h"
#include "services/sound.h"
#include "shell/grey.h"
#include "services/speech.h"
#include "shell/install.h"
#include "shell/titlefrm.h"
#include "ui/stage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

// Runs a job once, right after a widget's first paint has been handled.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget *w, std::function<void()> job) : QObject(w), job_(std::move(job)) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && job_) {
            QTimer::singleShot(0, qApp, std::exchange(job_, nullptr));
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    std::function<void()> job_;
};

// Reads the options before the window system is reached, so --help and --version answer on a
// technician's remote shell too. Returns an exit status when the program should end at once.
std::optional<int> readCommandLine(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillmoor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLMOOR_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quillmoor teaches primary-school science."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Log what the program does, not only what fails, to standard error."));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QStringLiteral("Draw the screens at <factor> (0.25 to 8), or \"fit\" them to the display (the default)."),
                                   QStringLiteral("factor"));
    const QCommandLineOption importClass(QStringLiteral("import-class"),
                                         QStringLiteral("Add the pupils named in <file>, a CSV class list, to the class <name>, and end."),
                                         QStringLiteral("name"));
    const QCommandLineOption exportResults(QStringLiteral("export-results"),
                                           QStringLiteral("Write every result in the class register to the CSV file <file>, and end."),
                                           QStringLiteral("file"));
    const QCommandLineOption forgetPin(QStringLiteral("forget-pin"),
                                       QStringLiteral("Forget the teacher's PIN of the class register (the classes and results stay), and end."));
    parser.addOption(verbose);
    parser.addOption(scale);
    parser.addOption(importClass);
    parser.addOption(exportResults);
    parser.addOption(forgetPin);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The class list --import-class reads."), QStringLiteral("[file]"));
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "quillmoor: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(parser.helpText()));
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("Quillmoor %s\n", QUILLMOOR_VERSION);
        return 0;
    }
    if (parser.isSet(verbose))
        logging::setVerbose();
    // The technician's settings hold for the commands below too.
    if (const QString shared = school::settings().worksheetsFolder; !shared.isEmpty())
        paths::setTeacherDir(shared);
    if (parser.isSet(importClass)) {
        if (parser.positionalArguments().size() != 1) {
            std::fprintf(stderr, "quillmoor: --import-class takes the class's name and one class list file\n");
            return 2;
        }
        return commands::importClass(parser.value(importClass), parser.positionalArguments().first());
    }
    if (parser.isSet(exportResults))
        return commands::exportResults(parser.value(exportResults));
    if (parser.isSet(forgetPin))
        return commands::forgetPin();
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "quillmoor: unexpected \"%s\"\n", qPrintable(parser.positionalArguments().first()));
        return 2;
    }
    if (parser.isSet(scale)) {
        const QString value = parser.value(scale);
        if (!stagescale::parse(value)) {
            std::fprintf(stderr, "quillmoor: --scale takes \"fit\" or a factor from 0.25 to 8, not \"%s\"\n", qPrintable(value));
            return 2;
        }
        qputenv("QUILLMOOR_SCALE", value.toUtf8());
    }
    if (parser.isSet(verbose))
        qputenv("QUILLMOOR_VERBOSE", "1");
    return std::nullopt;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = readCommandLine(argc, argv))
        return *status;
    // Fonts are sized for 96 dpi; Qt's high-dpi scaling then scales every screen alike.
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("QUILLMOOR_VERBOSE"))
        logging::setVerbose();
    // No display name: Qt would append it to every window caption.
    QApplication::setApplicationName(QStringLiteral("Quillmoor"));
    QApplication::setDesktopFileName(QStringLiteral("quillmoor"));

    const QString exeDir = QCoreApplication::applicationDirPath();
    paths::setDataDir(paths::dataDirForExecutable(exeDir));
    sound::setModuleDir(sound::moduleDirForExecutable(exeDir));
    speech::setModuleDir(sound::moduleDirForExecutable(exeDir));

    shell::install();
    // Grey is the stage: the one window that holds every screen.
    Screens::setStage<Grey>();
    session::endOnSignals([] { Screens::end(); });
    Titlefrm *title = Screens::get<Titlefrm>();
    Screens::bringToFront(title);

    if (qEnvironmentVariableIsSet("QUILLMOOR_EXIT_AFTER_FIRST_PAINT")) {
        // For the start-up benchmark: the wall-clock time of the title's first paint, then the end.
        new AfterFirstPaint(title, [] {
            std::printf("first-paint %lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) * 1000);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    } else {
        // The title screen needs only Times New Roman and Arial, and plays no sound before its
        // "OK": Tahoma, which every later screen uses, and the sound module come once it is up.
        new AfterFirstPaint(title, [] {
            fonts::registerFonts();
            sound::warmUp();
            speech::warmUp();
        });
    }
    return QApplication::exec();
}
