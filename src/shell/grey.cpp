#include "shell/grey.h"
#include "platform/theme.h"

#include "platform/theme.h"
#include <QGuiApplication>
#include "platform/theme.h"
#include <QScreen>
#include "platform/theme.h"

#include "platform/theme.h"
Grey::Grey() : Screen(QStringLiteral("Grey"))
#include "platform/theme.h"
{
#include "platform/theme.h"
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
#include "platform/theme.h"
    setWindowTitle(QStringLiteral("Quillmoor"));
#include "platform/theme.h"
    SndDevil1 = sound::create();
#include "platform/theme.h"
}
#include "platform/theme.h"

#include "platform/theme.h"
void Grey::onLoad()
#include "platform/theme.h"
{
#include "platform/theme.h"
    setBackColor(theme::backdropBlue);
#include "platform/theme.h"
    if (QScreen *display = QGuiApplication::primaryScreen())
#include "platform/theme.h"
        setGeometry(display->geometry());
#include "platform/theme.h"
}
#include "platform/theme.h"
