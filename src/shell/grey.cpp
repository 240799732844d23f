#include "shell/grey.h"

#include <QGuiApplication>
#include <QScreen>

Grey::Grey() : Screen(QStringLiteral("Grey"))
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Quillmoor"));
    SndDevil1 = sound::create();
}

void Grey::onLoad()
{
    setBackColor(QColor(48, 133, 214));
    if (QScreen *display = QGuiApplication::primaryScreen())
        setGeometry(display->geometry());
}
