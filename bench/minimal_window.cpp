// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up: the smallest Qt Widgets program that shows a window. Like quillmoor
// under QUILLMOOR_EXIT_AFTER_FIRST_PAINT, it prints the wall-clock time of its first paint and ends.
// With the argument "text" the window also shows one line of text, so it pays for the font
// set-up that any window with words in it pays.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {
class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        if (done_)
            return;
        done_ = true;
        std::printf("first-paint %lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) * 1000);
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    }

private:
    bool done_ = false;
};
}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Window w;
    w.resize(364, 438);
    if (argc > 1 && QByteArray(argv[1]) == "text")
        (new QLabel(QStringLiteral("Quillmoor"), &w))->move(20, 20);
    w.show();
    return QApplication::exec();
}
