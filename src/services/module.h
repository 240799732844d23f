// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound and speech backends are run-time modules, so the program builds and runs without the
// Qt libraries they need: a module that is missing, or whose libraries are missing, gives none.
#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QLoggingCategory>

#include <utility>

namespace platform {

// Loads `library` from `dir` once, the first time it is asked for while the application exists,
// and makes its backend with the C function `symbol`. The backend is deleted before the
// application goes, while the connections it holds (audio, speech) still exist.
// Why a module did not load goes to `log` as a warning: a technician can act on it.
template <class Backend>
Backend *loadModule(const QString &dir, const char *library, const char *symbol, const QLoggingCategory &log)
{
    static bool tried = false;
    static Backend *loaded = nullptr;
    if (!tried && QCoreApplication::instance()) {
        tried = true;
        QLibrary module(QDir(dir).filePath(QLatin1String(library)));
        module.setLoadHints(QLibrary::PreventUnloadHint);
        using Create = Backend *(*)();
        if (auto create = reinterpret_cast<Create>(module.resolve(symbol))) {
            loaded = create();
            qCDebug(log, "module %s loaded", qPrintable(module.fileName()));
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                             [] { delete std::exchange(loaded, nullptr); });
        } else {
            qCWarning(log, "module %s not loaded: %s", library, qPrintable(module.errorString()));
        }
    }
    return loaded;
}

}  // namespace platform
