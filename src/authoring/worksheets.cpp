#include "authoring/worksheets.h"

#include "authoring/catalogue.h"
#include "platform/fieldfile.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "core/shared.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

namespace {

const QString kSaved = QStringLiteral("Your worksheet has been saved.");
const QString kProblem = QStringLiteral("There was a problem saving your worksheet");

QString encoded(QString text) { return text.replace(QLatin1Char(','), QLatin1Char('&')); }

// The catalogue as it stands on disk (the teacher's, else the one shipped), read whole.
bool readCatalogue(QStringList &titles)
{
    QFile file(paths::resolve(QStringLiteral("multiple\\track.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    shared::worksheetcount.clear();
    readcatalogue(&file);
    if (shared::worksheetcount.isEmpty())  // not even a count: not a catalogue
        return false;
    titles.clear();
    for (int i = 1; i <= shared::worksheetcount.toInt(); ++i)
        titles << shared::worksheetname[i];
    return true;
}

bool writeCatalogue(const QStringList &titles)
{
    FieldWriter out;
    out.printLine(printNumber(titles.size()));
    for (const QString &t : titles)
        out.printLine(t);
    return out.commit(paths::writable(QStringLiteral("multiple/track.txt")));
}

// Holds the catalogue's lock for as long as it lives.
class CatalogueLock {
public:
    CatalogueLock() : lock_(QDir(paths::teacherDir()).filePath(QStringLiteral("track.lock")))
    {
        QDir().mkpath(paths::teacherDir());
        lock_.setStaleLockTime(30000);
        held_ = lock_.tryLock(10000);
    }
    bool held() const { return held_; }

private:
    QLockFile lock_;
    bool held_ = false;
};

}  // namespace

QString titleProblem(const QString &title)
{
    for (QChar c : title)
        if (c.unicode() < 32 || c.unicode() == 127 || QStringLiteral("/\\:*?\"<>|").contains(c))
            return QStringLiteral("A worksheet title cannot contain any of these: / \\ : * ? \" < > |");
    if (title.compare(QLatin1String("track"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("The title track is kept for the worksheet catalogue. Please choose another title");
    for (const char *topic : {"Other Planets", "Measuring Temperature"})
        if (title.compare(QLatin1String(topic), Qt::CaseInsensitive) == 0)
            return QStringLiteral("The title %1 is kept for a topic's quiz. Please choose another title").arg(QLatin1String(topic));
    return {};
}

bool trackworksheets(const QString &title)
{
    CatalogueLock lock;
    QStringList titles;
    if (!lock.held() || !readCatalogue(titles))
        return false;
    if (titles.contains(title))
        return true;
    if (titles.size() >= shared::kMaxWorksheets)
        return false;
    titles << title;
    return writeCatalogue(titles);
}

bool delworksheet()
{
    CatalogueLock lock;
    QStringList titles;
    if (!lock.held() || !readCatalogue(titles))
        return false;
    const qsizetype at = titles.lastIndexOf(shared::currentworksheet);
    if (at < 0)
        return true;  // not there any more: the catalogue stays as it is
    titles.removeAt(at);
    if (!writeCatalogue(titles))
        return false;
    for (int i = 1; i <= int(titles.size()); ++i)
        shared::worksheetname[i] = titles[i - 1];
    shared::worksheetcount = int(titles.size());
    return true;
}

void saveworksheet(const WorksheetEntries &e)
{
    // Checked before anything is written.
    const QString problem = titleProblem(e.title);
    if (!problem.isEmpty()) {
        messages::ok(problem);
        return;
    }
    FieldWriter out;
    out.printLine(encoded(e.title));
    out.printLine(QStringLiteral(" "));
    for (int q = 0; q < 10; ++q) {
        out.printLine(encoded(e.questions[std::size_t(q)]));
        for (int a = 0; a < 4; ++a)
            out.printLine(encoded(e.answers[std::size_t(4 * q + a)]));
        for (int a = 0; a < 4; ++a)
            if (e.ticks[std::size_t(4 * q + a)])
                out.printLine(QString::number(a + 1));
        out.printLine(QStringLiteral(" "));
    }
    const QString path = paths::writable(QStringLiteral("multiple/") + e.title + QStringLiteral(".txt"));
    if (path.isEmpty() || !out.commit(path) || !trackworksheets(e.title)) {
        messages::ok(kProblem);
        return;
    }
    messages::ok(kSaved);
}
