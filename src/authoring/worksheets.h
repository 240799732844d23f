// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Worksheet files, "multiple/" + title + ".txt" in the question file format, and the operations
// that change the catalogue. Every file is replaced atomically, and the catalogue's
// read-modify-write holds a lock, so two copies of the program sharing a folder lose no title.
// A catalogue that cannot be read whole is never written back: what was not read would be lost.
#include <QByteArray>
#include <QString>
#include <array>

struct WorksheetEntries {
    QString title;
    std::array<QString, 10> questions;
    std::array<QString, 40> answers;  // 4q + a
    std::array<bool, 40> ticks{};     // 4q + a
    bool operator==(const WorksheetEntries &) const = default;
};

// Why a title cannot be a worksheet's name, or empty when it can: a title names a file, so it may
// not reach outside the folder, hold what Windows and memory sticks forbid in file names, or
// replace the catalogue or a topic's question bank.
QString titleProblem(const QString &title);

// A text as one line of a worksheet file, so the loader gives it back as typed (but for "&",
// which the format reads as a comma): every "," becomes "&"; a text with a blank at either end or
// a double quote at the start goes in double quotes, each " inside written as "," (no text line
// holds a comma otherwise, so files written before read the same).
QString worksheetfield(const QString &text);

// The bytes of a worksheet file.
QByteArray worksheetbytes(const WorksheetEntries &entries);

// What a change to the worksheets came to.
enum class Change { Done, Busy, ReadOnly, CatalogueMissing, CatalogueUnreadable, CatalogueFull, WriteFailed };
// The message a change shows, for saving (false: deleting).
QString changeMessage(Change change, bool saving);

// Whether the worksheets folder can only be read here (a shared folder seen from a pupils'
// computer), so nothing may be saved or deleted; says so in a message box when it is.
bool worksheetsReadOnly();

// Writes the worksheet file and catalogues its title, nothing shown. The catalogue is read (and
// found whole, with room for a new title) before anything is written.
Change writeworksheet(const WorksheetEntries &entries);

// The title's checks, then writeworksheet, then says how it went in a message box. True when saved.
bool saveworksheet(const WorksheetEntries &entries);

// Adds a title to the catalogue unless it is there already (exact comparison). False on failure.
bool trackworksheets(const QString &title);

// Removes shared::currentworksheet (its last occurrence) from the catalogue; the worksheet's
// file stays. Leaves shared::worksheetcount at the new count. A title no longer there leaves the
// catalogue as it is.
Change delworksheet();

// Whether saving under this title would replace a worksheet: the title is in the catalogue or
// its file is in the folder.
bool worksheetexists(const QString &title);

// The file that holds a catalogue title's worksheet, or empty: the exact name first; a name that
// differs only in letter case only when it is the one such file and no catalogue title (as last
// read) is its own; else the shipped folder.
QString worksheetfile(const QString &title);
