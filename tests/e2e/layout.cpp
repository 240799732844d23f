// SPDX-License-Identifier: GPL-3.0-or-later
// Where the e2e scripts click and what colours they look for, read from the screens themselves
// at actual size and printed as shell assignments for lib.sh: the scripts keep no copy of the
// layout. Each place is a control's middle, relative to the screen that holds it.
#include "activities/ordering.h"
#include "authoring/browser.h"
#include "authoring/wizard.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "register/room.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "support/testenv.h"
#include "topics/hub.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "viewers/guide.h"

#include <QAccessible>
#include <QApplication>
#include <QTextStream>

namespace {

QTextStream out(stdout);

QString at(Screen *screen, const QWidget *w)
{
    const QPoint c = w->mapTo(screen, w->rect().center());
    return QStringLiteral("%1 %2").arg(c.x()).arg(c.y());
}

// The control of that accessible name on the screen, shown or not.
const QWidget *named(Screen *screen, const QString &name)
{
    for (const QWidget *w : screen->findChildren<QWidget *>())
        if (QAccessibleInterface *a = QAccessible::queryAccessibleInterface(const_cast<QWidget *>(w)))
            if (a->text(QAccessible::Name) == name)
                return w;
    qFatal("no control named %s on %s", qPrintable(name), qPrintable(screen->objectName()));
}

// E2E_AT[KEY]: the control the scripts call KEY, found by the name a screen reader hears.
template <typename S>
void place(std::initializer_list<std::pair<const char *, const char *>> keysAndNames)
{
    S *screen = Screens::get<S>();
    for (auto [key, name] : keysAndNames)
        out << QStringLiteral("E2E_AT[\"%1\"]=\"%2\"\n").arg(QLatin1String(key), at(screen, named(screen, QLatin1String(name))));
}

// E2E_RECT[KEY]="W H X Y": the area of the control of that accessible name, for a look at it.
template <typename S>
void area(const char *key, const char *name)
{
    S *screen = Screens::get<S>();
    const QWidget *w = named(screen, QLatin1String(name));
    const QRect r(w->mapTo(screen, QPoint(0, 0)), w->size());
    out << QStringLiteral("E2E_RECT[\"%1\"]=\"%2 %3 %4 %5\"\n").arg(QLatin1String(key)).arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

QString rgb(const QColor &c) { return QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue()); }

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QUILLMOOR_SCALE", "1");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", "/tmp/quillmoor-test-runtime");
    QApplication app(argc, argv);
    TestEnv env;
    place<intro0>({{"Other Planets", "Other Planets"}, {"Measuring Temperature", "Measuring Temperature"}, {"Exit", "Exit"},
                   {"Multiple Choice Wizard", "Multiple Choice Wizard"}, {"Worksheet Catalogue", "Worksheet Catalogue"},
                   {"Teachers' Guide", "Teachers' Guide"}});
    place<weather>({{"Multiple Choice", "Multiple Choice"}, {"Ordering Activity", "Ordering Activity"}, {"Key Facts", "Key Facts"}});
    place<guide>({{"Next Page", "Next Page"}, {"Previous Page", "Previous Page"}, {"Print", "Print"}});
    place<multiple>({{"Print Worksheet", "Print Worksheet"}, {"Next", "Next question"}, {"Previous", "Previous question"}});
    place<temperatureord>({{"Check Score", "Check Score"}});
    place<wizard>({{"Save Worksheet", "Save Worksheet"}, {"title box", "Worksheet Title"}});
    place<Room>({{"the room's Exit", "Exit"}});

    area<intro0>("menu heading", "Quillmoor");
    area<weather>("jupiter", "Jupiter turning, with its Great Red Spot");

    auto *catalogue = Screens::get<worksheets>();
    out << QStringLiteral("E2E_AT[\"first title\"]=\"%1\"\n").arg(at(catalogue, catalogue->Label2[1]));
    auto *title = Screens::get<Titlefrm>();
    out << QStringLiteral("E2E_TITLE_SIZE=\"%1 %2\"\n").arg(title->width()).arg(title->height());
    out << QStringLiteral("E2E_AT[\"OK\"]=\"%1\"\nE2E_AT[\"title Exit\"]=\"%2\"\nE2E_AT[\"title picture\"]=\"%3\"\n")
               .arg(at(title, title->Command1), at(title, title->Command2), at(title, title->Picture1));

    auto *quiz = Screens::get<multiple>();
    out << "E2E_ANSWERS=(";  // the quiz's answers A to D
    for (int i = 1; i <= 4; ++i)
        out << '"' << at(quiz, quiz->Option1[i]) << (i < 4 ? "\" " : "\")\n");
    auto *sheet = Screens::get<wizard>();
    out << "E2E_TICKS=(";  // the wizard's "A is the right answer" boxes, questions 1 to 10
    for (int q = 0; q < 10; ++q)
        out << '"' << at(sheet, sheet->Check1[4 * q]) << (q < 9 ? "\" " : "\")\n");
    auto *order = Screens::show<temperatureord>();
    out << "E2E_HOMES=(";  // the temperatures: label i starts at home i and belongs in box i
    for (int i = 0; i < order->count(); ++i)
        out << '"' << at(order, order->Label2[i]) << (i + 1 < order->count() ? "\" " : "\")\n");
    out << "E2E_BOXES=(";
    for (int i = 0; i < order->count(); ++i)
        out << '"' << at(order, order->Label1[i]) << (i + 1 < order->count() ? "\" " : "\")\n");
    auto *results = Screens::get<Welldone>();
    const QRect certificate = results->label3[0]->geometry();
    out << QStringLiteral("E2E_AT[\"Print Certificate\"]=\"%1\"\n").arg(at(results, results->label3[0]));  // hidden until full marks
    out << QStringLiteral("E2E_CERTIFICATE_FACE=\"%1 %2\"\n").arg(certificate.left() + 4).arg(certificate.center().y());
    out << QStringLiteral("E2E_AT[\"name box\"]=\"%1\"\n").arg(at(results, results->Text1));
    const QRect box = results->Text1->geometry();
    out << QStringLiteral("E2E_RECT[\"name box\"]=\"%1 %2 %3 %4\"\n").arg(box.width()).arg(box.height()).arg(box.x()).arg(box.y());

    out << QStringLiteral("TITLE_GREY=\"%1\"\nMENU_BLUE=\"%2\"\nBACKDROP_BLUE=\"%3\"\nEDGE_OUTER=\"%4\"\nEDGE_INNER=\"%5\"\n")
               .arg(rgb(theme::dialogGrey), rgb(theme::windowBlue), rgb(theme::backdropBlue), rgb(theme::edgeOuter),
                    rgb(theme::edgeInner));
    return 0;
}
