#pragma once
// The worksheet catalogue "multiple\track.txt": a count line, then one title per line, whole, so a
// title with a comma or leading blanks comes back exactly as typed.
//
// readcatalogue() fills shared::worksheetcount and shared::worksheetname. It survives any file: a
// missing one leaves the catalogue as it was; otherwise it stops quietly at the end of the file,
// after title 1000, or at a line too long to be a title, keeping what it read, and leaves
// worksheetcount at the number of titles actually read. Returns false when it stopped early.
bool readcatalogue();

class QIODevice;
// The same reading from an open device (the fuzz target feeds it bytes directly).
bool readcatalogue(QIODevice *device);

// The longest line the reader accepts as a title; the wizard allows 25 characters.
inline constexpr int kMaxCatalogueLine = 4096;
