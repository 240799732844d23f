// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where relative media and data paths ("wav\click.wav", "Images\icicle.jpg",
// "multiple/track.txt") live. Either separator is accepted and letter case is ignored (the exact
// name first, then a case-insensitive match), as the program writes the same folders both ways.
//
// Two folders:
// - the data folder, read-only: <prefix>/share/quillmoor beside the installed executable, or
//   <build>/share/quillmoor in a build tree;
// - the teacher's folder for "multiple": ${XDG_DATA_HOME:-~/.local/share}/quillmoor/multiple, or
//   the school's shared folder a technician set. Reading multiple\X looks there first, then in the
//   data folder; every write goes there.
// What belongs to this computer's user alone (the class register's file) stays in the local
// folder, ${XDG_DATA_HOME:-~/.local/share}/quillmoor, wherever the worksheets are.
#include <QString>

namespace paths {

// The data folder found relative to the executable's folder (<dir>/../share/quillmoor).
QString dataDirForExecutable(const QString &executableDir);

void setDataDir(const QString &dir);
QString dataDir();

// Defaults to the XDG location; tests point it at their own folder.
void setLocalDir(const QString &dir);
QString localDir();

// Defaults to localDir()/multiple; the school's settings or a test point it elsewhere.
void setTeacherDir(const QString &dir);
QString teacherDir();

// The existing file a relative path names, or an empty string when there is none. Paths with
// "." or ".." components never resolve: nothing outside the two folders can be named.
QString resolve(const QString &relative);

// The file a write to this relative path goes to: always inside the teacher's folder, which is
// created on demand. Empty unless the path names a file directly inside "multiple".
QString writable(const QString &relative);

}  // namespace paths
