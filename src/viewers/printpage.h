// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class PictureBox;

// Prints a viewer's page: one empty line (which opens the document), the print rendering with its
// top-left corner 1000 twips from the left and the top of the printable area at its own size, and
// the end of the document. Without a printer, or on any failure, nothing happens: the viewers
// have no message of their own.
void printPicture(const PictureBox *printRendering);
