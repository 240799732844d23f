// SPDX-License-Identifier: GPL-3.0-or-later
#include "authoring/worksheets.h"

#include "authoring/catalogue.h"
#include "formats/fieldfile.h"
#include "ui/messages.h"
#include "services/paths.h"
#include "core/shared.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kSaved = QStringLiteral("Your worksheet has been saved.");
const QString kProblem = QStringLiteral("There was a problem saving your worksheet");
const QString kBusy = QStringLiteral("The worksheet catalogue is in use. Please try again.");
const QString kUnreadable = QStringLiteral("The worksheet catalogue could not be read in full, so nothing has been changed.");
const QString kReadOnly = QStringLiteral("The worksheets can only be changed on the teacher's computer.");
const QString kFull = QStringLiteral("The worksheet catalogue is full: it holds 1000 worksheets. "
                                     "Please delete a worksheet before saving a new one.");

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QString fileName(const QString &title) { return title + QStringLiteral(".txt"); }

bool writeCatalogue(const QStringList &titles)
{
    FieldWriter out;
    out.printLine(printNumber(titles.size()));
    for (const QString &t : titles)
        out.printLine(t);
    return out.commit(paths::writable(kCatalogueFile));
}

// The catalogue locked and read whole, ready to be changed.
Change openCatalogue(const CatalogueLock &lock, QStringList &titles)
{
    if (lock.readOnly())
        return Change::ReadOnly;
    if (!lock.held())
        return Change::Busy;
    switch (readcataloguewhole(titles)) {
    case CatalogueRead::Whole:
        return Change::Done;
    case CatalogueRead::Missing:
        return Change::CatalogueMissing;
    case CatalogueRead::Partial:
        break;
    }
    return Change::CatalogueUnreadable;
}

}  // namespace

QString worksheetfield(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char('&'));
    // The reader skips blanks before a field, drops them after one and takes a leading quote as
    // the start of a quoted field: only a quoted field keeps such a text whole.
    if (t.isEmpty() || (!isBlank(t.front()) && !isBlank(t.back()) && t.front() != QLatin1Char('"')))
        return t;
    t.replace(QLatin1Char('"'), QLatin1Char(','));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QByteArray worksheetbytes(const WorksheetEntries &e)
{
    FieldWriter out;
    out.printLine(worksheetfield(e.title));
    out.printLine(QStringLiteral(" "));
    for (int q = 0; q < 10; ++q) {
        out.printLine(worksheetfield(e.questions[std::size_t(q)]));
        for (int a = 0; a < 4; ++a)
            out.printLine(worksheetfield(e.answers[std::size_t(4 * q + a)]));
        for (int a = 0; a < 4; ++a)
            if (e.ticks[std::size_t(4 * q + a)])
                out.printLine(QString::number(a + 1));
        out.printLine(QStringLiteral(" "));
    }
    return out.bytes();
}

QString changeMessage(Change change, bool saving)
{
    switch (change) {
    case Change::Done:
        return saving ? kSaved : QString();
    case Change::Busy:
        return kBusy;
    case Change::ReadOnly:
        return kReadOnly;
    case Change::CatalogueUnreadable:
        return kUnreadable;
    case Change::CatalogueFull:
        return kFull;
    case Change::CatalogueMissing:
    case Change::WriteFailed:
        break;
    }
    return saving ? kProblem : kCorruptedMessage;
}

Change writeworksheet(const WorksheetEntries &e)
{
    const CatalogueLock lock;
    QStringList titles;
    const Change opened = openCatalogue(lock, titles);
    if (opened != Change::Done)
        return opened;
    const bool isNew = !titles.contains(e.title);
    if (isNew && titles.size() >= shared::kMaxWorksheets)
        return Change::CatalogueFull;
    const QString path = paths::writable(QStringLiteral("multiple/") + fileName(e.title));
    if (path.isEmpty() || !FieldWriter::commitBytes(path, worksheetbytes(e)))
        return Change::WriteFailed;
    if (isNew && !writeCatalogue(titles << e.title))
        return Change::WriteFailed;  // the worksheet is written, not catalogued
    return Change::Done;
}

bool worksheetsReadOnly()
{
    // Asked before a teacher answers any question about the change: the probe does not wait.
    if (!CatalogueLock(0).readOnly())
        return false;
    messages::ok(kReadOnly);
    return true;
}

bool saveworksheet(const WorksheetEntries &e)
{
    // Checked before anything is written.
    const QString problem = titleProblem(e.title);
    if (!problem.isEmpty()) {
        messages::ok(problem);
        return false;
    }
    const Change done = writeworksheet(e);
    messages::ok(changeMessage(done, true));
    return done == Change::Done;
}

bool trackworksheets(const QString &title)
{
    const CatalogueLock lock;
    QStringList titles;
    if (openCatalogue(lock, titles) != Change::Done)
        return false;
    if (titles.contains(title))
        return true;
    if (titles.size() >= shared::kMaxWorksheets)
        return false;
    return writeCatalogue(titles << title);
}

Change delworksheet()
{
    const CatalogueLock lock;
    QStringList titles;
    const Change opened = openCatalogue(lock, titles);
    if (opened != Change::Done)
        return opened;
    const qsizetype at = titles.lastIndexOf(shared::currentworksheet);
    if (at < 0)
        return Change::Done;  // not there any more: the catalogue stays as it is
    titles.removeAt(at);
    if (!writeCatalogue(titles))
        return Change::WriteFailed;
    for (int i = 1; i <= int(titles.size()); ++i)
        shared::worksheetname[i] = titles[i - 1];
    shared::worksheetcount = int(titles.size());
    return Change::Done;
}

bool worksheetexists(const QString &title)
{
    QStringList titles;
    readcataloguewhole(titles);
    if (titles.contains(title))
        return true;
    const QString path = paths::writable(QStringLiteral("multiple/") + fileName(title));
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString worksheetfile(const QString &title)
{
    const QString name = fileName(title);
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
    const QDir dir(paths::teacherDir());
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    QStringList candidates;
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            candidates << entry;
    if (candidates.isEmpty())
        return paths::resolve(QStringLiteral("multiple/") + name);  // the banks shipped
    if (candidates.size() > 1)
        return {};
    const QString owner = candidates.front().chopped(4);
    for (int i = 1; i <= shared::worksheetcount.toInt() && i <= shared::kMaxWorksheets; ++i)
        if (shared::worksheetname[i] == owner)
            return {};  // another title's worksheet
    return dir.filePath(candidates.front());
}
