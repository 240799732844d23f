// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worksheet catalogue "multiple\track.txt": a count line, then one title per line, whole, so a
// title with a comma or leading blanks comes back exactly as typed.
//
// readcatalogue() fills shared::worksheetcount and shared::worksheetname. It survives any file: a
// missing one leaves the catalogue as it was; otherwise it stops quietly at the end of the file,
// after title 1000, or at a line too long to be a title, keeping what it read, and leaves
// worksheetcount at the number of titles actually read. Returns false when it stopped early (or
// the count is not a number of titles), so nothing may be written back from what it read.
#include <QLockFile>
#include <QStringList>

// The catalogue file, in the teacher's folder (either separator resolves).
inline const QString kCatalogueFile = QStringLiteral("multiple/track.txt");
// What the catalogue browser says of a worksheet it cannot open, edit or delete.
inline const QString kCorruptedMessage = QStringLiteral("This worksheet seems to be corrupted.");

bool readcatalogue();

class QIODevice;
// The same reading from an open device (the fuzz target feeds it bytes directly).
bool readcatalogue(QIODevice *device);

// The longest line the reader accepts as a title; the wizard allows 25 characters.
inline constexpr int kMaxCatalogueLine = 4096;

// The catalogue read for a change: whole, or why not. Fills shared state as readcatalogue() does.
enum class CatalogueRead { Whole, Missing, Partial };
CatalogueRead readcataloguewhole(QStringList &titles);

// Holds the catalogue's lock file while it lives, so copies of the program sharing one folder
// take turns. The wait is short: the screen does not answer while it waits, and a copy holding
// the lock longer than that is stuck or gone. A dead holder's lock on this computer is taken over
// at once; one written by another computer sharing the folder only once it is older than
// kStaleMs, as its holder's process cannot be seen from here.
class CatalogueLock {
public:
    static constexpr int kWaitMs = 2000;
    static constexpr int kStaleMs = 30000;
    explicit CatalogueLock(int waitMs = kWaitMs);
    bool held() const { return held_; }
    // The folder cannot be written here at all (a pupils' computer's view of a shared folder).
    bool readOnly() const { return readOnly_; }

private:
    QLockFile lock_;
    bool held_ = false;
    bool readOnly_ = false;
};

// One page of the catalogue browser: the numbers of the first and last titles it shows (last <
// first when it shows none) and whether there are pages before and after it. Pages run on to the
// last title.
struct CataloguePage {
    int first = 1, last = 0;
    bool hasPrevious = false, hasNext = false;
};
CataloguePage cataloguePage(int count, int page, int perPage);
