// For the catalogue-lock test: catalogues each title given on the command line, into the
// teacher's folder named by QUILLMOOR_TEACHER_DIR, as a separate copy of the program would.
#include "authoring/worksheets.h"
#include "platform/paths.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    paths::setTeacherDir(qEnvironmentVariable("QUILLMOOR_TEACHER_DIR"));
    paths::setDataDir(qEnvironmentVariable("QUILLMOOR_DATA_DIR"));
    for (int i = 1; i < argc; ++i)
        if (!trackworksheets(QString::fromLocal8Bit(argv[i])))
            return 1;
    return 0;
}
