// Quillmoor: find the data folder, create the application, show the title screen.
#include "platform/fonts.h"
#include "platform/paths.h"
#include "platform/screens.h"
#include "shell/titlefrm.h"

#include <QApplication>
#include <QTimer>

namespace {
class FirstPaintExit : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

int main(int argc, char *argv[])
{
    // Fonts are sized for 96 dpi; Qt's high-dpi scaling then scales every screen alike.
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    // No display name: Qt would append it to every window caption.
    QApplication::setApplicationName(QStringLiteral("Quillmoor"));
    QApplication::setDesktopFileName(QStringLiteral("quillmoor"));

    paths::setDataDir(paths::dataDirForExecutable(QCoreApplication::applicationDirPath()));
    fonts::registerFonts();

    Titlefrm *title = Screens::get<Titlefrm>();
    Screens::bringToFront(title);

    // Start-up benchmarks time the program to its first painted title screen.
    FirstPaintExit firstPaint;
    if (qEnvironmentVariableIsSet("QUILLMOOR_EXIT_AFTER_FIRST_PAINT"))
        title->installEventFilter(&firstPaint);

    return QApplication::exec();
}
