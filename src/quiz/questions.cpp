// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/questions.h"

#include "formats/fieldfile.h"
#include "services/paths.h"
#include "core/shared.h"
#include "services/logging.h"

#include <QFile>
#include <array>

namespace {
// "&" stands for a comma. A comma can only come from a quoted field, where the writer puts it
// for a double quote.
QString decode(QString field)
{
    for (QChar &c : field)
        if (c == QLatin1Char('&'))
            c = QLatin1Char(',');
        else if (c == QLatin1Char(','))
            c = QLatin1Char('"');
    return field;
}
}  // namespace

bool loadquestions(FieldReader &in)
{
    QString title = decode(in.field());
    in.field();
    std::array<QString, 11> q, a, b, c, d, right;
    for (int n = 1; n <= 10; ++n) {
        q[n] = decode(in.field());
        a[n] = decode(in.field());
        b[n] = decode(in.field());
        c[n] = decode(in.field());
        d[n] = decode(in.field());
        right[n] = in.field();
        // The quiz uses the right answer as the index of an answer button: anything but one
        // of the four would crash it or mark an unanswered question right.
        if (right[n] != QLatin1String("1") && right[n] != QLatin1String("2") && right[n] != QLatin1String("3") && right[n] != QLatin1String("4"))
            in.fail(QStringLiteral("the right answer to question %1 is not 1 to 4").arg(n));
        in.field();
    }
    if (in.failed())
        return false;
    shared::tasktitle = title;
    for (int n = 1; n <= 10; ++n) {
        shared::question[n] = q[n];
        shared::answera[n] = a[n];
        shared::answerb[n] = b[n];
        shared::answerc[n] = c[n];
        shared::answerd[n] = d[n];
        shared::correct[n] = right[n];
    }
    return true;
}

bool loadquestionfile(const QString &relativePath) { return loadquestionsfrom(paths::resolve(relativePath)); }

bool loadquestionsfrom(const QString &filePath)
{
    // The file's name is a teacher's title: the log says where it lies and why it was refused.
    const bool teachers = !paths::teacherDir().isEmpty() && filePath.startsWith(paths::teacherDir());
    const char *where = teachers ? "a worksheet in the teacher's folder" : "a question bank";
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcWorksheets, "%s could not be opened: %s", where, qPrintable(file.errorString()));
        return false;
    }
    FieldReader in(&file, kMaxQuestionField);
    if (loadquestions(in))
        return true;
    qCWarning(lcWorksheets, "%s was refused: %s", where, qPrintable(in.error()));
    return false;
}
