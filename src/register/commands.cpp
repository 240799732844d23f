// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/commands.h"

#include "register/csv.h"
#include "register/pin.h"
#include "register/store.h"
#include "services/school.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <memory>

namespace commands {
namespace {
int refuse(const QString &why)
{
    std::fprintf(stderr, "quillmoor: %s\n", qPrintable(why));
    return 1;
}

// The register the technician's settings name: this computer's file, or the school's server,
// used here directly (no screen waits on it).
std::unique_ptr<reg::Store> openRegister()
{
    const school::Settings &school = school::settings();
    if (school.store == school::RegisterStore::Postgresql)
        return std::make_unique<reg::Store>(reg::Server{school.service});
    return std::make_unique<reg::Store>();
}

bool onServer() { return school::settings().store == school::RegisterStore::Postgresql; }
}  // namespace

int importClass(const QString &className, const QString &file)
{
    if (className.simplified().isEmpty())
        return refuse(QStringLiteral("--import-class needs the class's name"));
    QFile in(file);
    if (file.isEmpty() || !in.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("cannot read the class list \"%1\": %2").arg(file, in.errorString()));
    const csv::Names list = csv::names(in.readAll());
    if (list.names.isEmpty())
        return refuse(QStringLiteral("the class list \"%1\" holds no names").arg(file));
    const std::unique_ptr<reg::Store> store = openRegister();
    if (!store->ok())
        return refuse(store->error());
    const qint64 id = store->addClass(className);
    const int added = id ? store->addPupils(id, list.names) : -1;
    if (added < 0)
        return refuse(QStringLiteral("the class register could not be written"));
    std::printf("%s: %d pupils added, %d already in the class.\n", qPrintable(className.simplified()), added,
                int(list.names.size()) - added + list.duplicates);
    return 0;
}

int exportResults(const QString &file)
{
    const std::unique_ptr<reg::Store> store = openRegister();
    if (!store->ok())
        return refuse(store->error());
    const QList<reg::Attempt> attempts = store->attempts();
    QSaveFile out(file);
    if (file.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(csv::results(attempts)) < 0 || !out.commit())
        return refuse(QStringLiteral("cannot write \"%1\": %2").arg(file, out.errorString()));
    std::printf("%lld attempts written to %s.\n", static_cast<long long>(attempts.size()), qPrintable(file));
    return 0;
}

int forgetPin()
{
    if (!onServer() && !QFile::exists(reg::Store::defaultPath())) {
        std::printf("There is no class register here, so no PIN to forget.\n");
        return 0;
    }
    const std::unique_ptr<reg::Store> store = openRegister();
    if (!store->ok() || !store->setSetting(pin::settingKey(), QString()))
        return refuse(store->ok() ? QStringLiteral("the class register could not be written") : store->error());
    std::printf("The teacher's PIN is forgotten; the next teacher to open the Class Register chooses a new one.\n");
    return 0;
}

}  // namespace commands
