// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader is told about the program's own controls: a clickable label is a push
// button named by its caption (or by the accessible name a screen gives it) with a press action;
// a picture is a graphic named by the words kept with its media recipe; a page of the viewers is
// a text holding the words of the page on show.
#include <QHash>
#include <QString>

class QWidget;

namespace accessibility {

// Installs the interfaces above; once, before any screen is made. Safe to call often.
void install();

// The words for a picture file (a relative media path as the screens write it), or for a page
// (wmf\NAME.wmf) the words of the page; empty when there are none.
QString describe(const QString &relativePath);

// Tells a screen reader something that happened away from the focus (a label dropped into a box,
// the score on opening the results): an alert of the window holding w says it.
void announce(QWidget *w, const QString &text);

// The picture descriptions file: one "path<TAB>words" a line, paths matched whatever their case;
// lines without a path before a tab are skipped.
QHash<QString, QString> parseDescriptions(const QString &text);

// Tells a screen reader that a control's name changed (a picture replaced in place).
void nameChanged(QWidget *w);
// Another screen came to the front: the one behind leaves the reader's map, the new one joins it.
void frontChanged(QWidget *was, QWidget *now);

}  // namespace accessibility
