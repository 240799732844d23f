// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the worksheet tests start from: catalogues and worksheet files as bytes, and entries or a
// wizard filled so that every check passes.
#include "authoring/wizard.h"
#include "authoring/worksheets.h"

#include <QFile>

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A catalogue claiming count titles and holding the first lines of them, "Sheet 1" on.
inline QByteArray numbered(int count, int lines)
{
    QByteArray b = " " + QByteArray::number(count) + " \r\n";
    for (int i = 1; i <= lines; ++i)
        b += "Sheet " + QByteArray::number(i) + "\r\n";
    return b;
}

// A worksheet file as written before: question q reads question + q, answer `right` is right.
inline QByteArray sheet(const QByteArray &title, const QByteArray &question = "Q", int right = 2)
{
    QByteArrayList l{title, " "};
    for (int q = 1; q <= 10; ++q)
        l << question + QByteArray::number(q) << "a" << "b" << "c" << "d" << QByteArray::number(right) << " ";
    return l.join("\r\n") + "\r\n";
}

// Every box holds text; answer B is right throughout.
inline WorksheetEntries entries(const QString &title, const QString &text = QStringLiteral("Text"))
{
    WorksheetEntries e;
    e.title = title;
    e.questions.fill(text);
    e.answers.fill(text);
    for (std::size_t q = 0; q < 10; ++q)
        e.ticks[4 * q + 1] = true;
    return e;
}

inline void fill(wizard *w, const WorksheetEntries &e)
{
    w->Text1->setText(e.title);
    for (int i = 0; i < 40; ++i) {
        if (i % 4 == 0)
            w->Text2[i / 4]->setText(e.questions[std::size_t(i / 4)]);
        w->Text3[i]->setText(e.answers[std::size_t(i)]);
        w->Check1[i]->setChecked(e.ticks[std::size_t(i)]);
    }
}

// The texts as the loader gives them back: it reads "&" as a comma.
inline WorksheetEntries asLoaded(WorksheetEntries e)
{
    e.title.replace(QLatin1Char('&'), QLatin1Char(','));
    for (QString &t : e.questions)
        t.replace(QLatin1Char('&'), QLatin1Char(','));
    for (QString &t : e.answers)
        t.replace(QLatin1Char('&'), QLatin1Char(','));
    return e;
}
