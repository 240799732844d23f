// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a school's technician sets once for every computer: quillmoor/quillmoor.conf in the
// system's configuration folders ($XDG_CONFIG_DIRS, else /etc/xdg; the first that has the file).
// No user's own configuration is read, so a pupil cannot point the program anywhere else.
//
//   [worksheets]
//   folder=/srv/school/quillmoor/multiple     the worksheets folder, in place of the teacher's own
//   [register]
//   store=postgresql                           or sqlite, the register file on this computer
//   service=quillmoor                          the libpq service holding host, port and database
#include <QString>
#include <QStringList>

namespace school {

enum class RegisterStore { Sqlite, Postgresql };

struct Settings {
    QString file;              // the file read; empty when there is none
    QString worksheetsFolder;  // empty: the teacher's own folder
    RegisterStore store = RegisterStore::Sqlite;
    QString service;           // the libpq service, when the store is PostgreSQL
    QStringList problems;      // settings refused, and why, for the log (no value is ever silently half-used)
};

inline constexpr auto kDefaultService = "quillmoor";

// Reads the settings from the folders a $XDG_CONFIG_DIRS value names (colon-separated; empty
// means /etc/xdg).
Settings read(const QString &configDirs);

// The settings of this run, read once from the environment; each problem logged once.
const Settings &settings();

}  // namespace school
