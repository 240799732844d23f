// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screens.h"

#include <QCoreApplication>
#include <QTimer>
#include <map>

namespace {
std::map<std::type_index, QPointer<Screen>> &registry()
{
    static std::map<std::type_index, QPointer<Screen>> r;
    return r;
}
bool g_ended = false;
std::function<Stage *()> &stageLoader()
{
    static std::function<Stage *()> loader;
    return loader;
}
}  // namespace

void Screens::setStageLoader(std::function<Stage *()> loader) { stageLoader() = std::move(loader); }

Stage *Screens::stage()
{
    if (!stageLoader())
        qFatal("Screens::setStage<T>() was not called before the first screen loaded");
    return stageLoader()();
}

Screen *Screens::lookup(std::type_index t)
{
    auto it = registry().find(t);
    if (it == registry().end())
        return nullptr;
    if (it->second.isNull()) {
        registry().erase(it);
        return nullptr;
    }
    return it->second.data();
}

void Screens::adopt(std::type_index t, Screen *s) { registry()[t] = s; }

void Screens::unload(Screen *s)
{
    for (auto it = registry().begin(); it != registry().end(); ++it)
        if (it->second == s) {
            registry().erase(it);
            break;
        }
    s->onUnload();
    for (QTimer *t : s->findChildren<QTimer *>())
        t->stop();
    s->hide();
    s->deleteLater();
}

void Screens::bringToFront(Screen *s)
{
    if (auto *st = qobject_cast<Stage *>(s))
        st->present();
    else if (auto *own = qobject_cast<Stage *>(s->parentWidget()))
        own->bringToFront(s);
    else
        stage()->bringToFront(s);
}

std::vector<Screen *> Screens::loaded()
{
    std::vector<Screen *> out;
    for (auto &[t, s] : registry())
        if (!s.isNull())
            out.push_back(s.data());
    return out;
}

void Screens::end()
{
    g_ended = true;
    for (Screen *s : loaded())
        unload(s);
    QCoreApplication::exit(0);
}

bool Screens::ended() { return g_ended; }

void Screens::reset()
{
    for (Screen *s : loaded())
        unload(s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    g_ended = false;
}
