#pragma once
// Worksheet files, "multiple/" + title + ".txt" in the question file format, and the operations
// that change the catalogue. Every file is replaced atomically, and the catalogue's
// read-modify-write holds a lock, so two copies of the program sharing a folder lose no title.
#include <QString>
#include <array>

struct WorksheetEntries {
    QString title;
    std::array<QString, 10> questions;
    std::array<QString, 40> answers;  // 4q + a
    std::array<bool, 40> ticks{};     // 4q + a
};

// Why a title cannot be a worksheet's name, or empty when it can: a title names a file, so it may
// not reach outside the folder, hold what Windows and memory sticks forbid in file names, or
// replace the catalogue or a topic's question bank.
QString titleProblem(const QString &title);

// Writes the worksheet file, then catalogues the title, then says so in a message box.
void saveworksheet(const WorksheetEntries &entries);

// Adds a title to the catalogue unless it is there already (exact comparison). False on failure.
bool trackworksheets(const QString &title);

// Removes shared::currentworksheet (its last occurrence) from the catalogue; the worksheet's
// file stays. Leaves shared::worksheetcount at the new count. False on failure.
bool delworksheet();
