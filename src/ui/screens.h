// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry that owns every screen.
// - get<T>() returns the loaded screen, loading it first (construct, then its load handler)
//   without showing it: openers touch a control, which loads, and then show.
// - show<T>() loads if needed and brings the screen to the front without reloading it.
// - unload() takes effect at once (hidden, timers stopped, forgotten, so the next access loads
//   afresh) and destroys the object once control is back in the event loop, because a screen
//   often unloads itself, or its opener, from inside a handler still running on it.
// - the stage, the program's one window, is the parent of every other screen: the first screen
//   loaded loads the stage first, through the type the program names at start with setStage<T>().
#include "ui/screen.h"
#include "ui/stage.h"

#include <QPointer>
#include <functional>
#include <typeindex>

class Screens {
public:
    template <class T>
    static T *get()
    {
        if (Screen *s = lookup(typeid(T)))
            return static_cast<T *>(s);
        auto *s = new T();
        adopt(typeid(T), s);
        s->onLoad();
        return s;
    }

    template <class T>
    static T *find() { return static_cast<T *>(lookup(typeid(T))); }

    template <class T>
    static bool isLoaded() { return lookup(typeid(T)) != nullptr; }

    template <class T>
    static T *show()
    {
        T *s = get<T>();
        bringToFront(s);
        return s;
    }

    template <class T>
    static void unload()
    {
        if (Screen *s = lookup(typeid(T)))
            unload(s);
    }

    // Names the stage's type; the program and every test do this once, before any screen loads.
    template <class T>
    static void setStage()
    {
        setStageLoader([]() -> Stage * { return get<T>(); });
    }
    // The stage, loaded first when it is not.
    static Stage *stage();

    static void unload(Screen *s);
    static void bringToFront(Screen *s);
    static std::vector<Screen *> loaded();

    // Ends the program: every screen goes at once, then the event loop stops.
    static void end();
    static bool ended();
    // For tests, which run many programs' worth of screens in one process.
    static void reset();

private:
    static Screen *lookup(std::type_index t);
    static void adopt(std::type_index t, Screen *s);
    static void setStageLoader(std::function<Stage *()> loader);
};
