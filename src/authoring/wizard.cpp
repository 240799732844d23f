// SPDX-License-Identifier: GPL-3.0-or-later
#include "authoring/wizard.h"
#include "core/media.h"

#include "authoring/browser.h"
#include "authoring/worksheets.h"
#include "ui/accessibility.h"
#include "ui/labels.h"
#include "ui/messages.h"
#include "ui/screens.h"
#include "ui/textlimit.h"
#include "ui/twips.h"
#include "ui/theme.h"
#include "quiz/multiple.h"
#include "core/setupform.h"
#include "core/soundrequest.h"

#include <QLabel>

namespace {

const QString kLeaveUnsaved = QStringLiteral("Your worksheet has not been saved. Do you want to leave the wizard and lose your typing?");

QLabel *fixedText(QWidget *parent, const QString &text, double left, double top, double width, double pt, bool bold = true)
{
    QLabel *l = makeLabel(parent, text, twips::font(QStringLiteral("Tahoma"), pt, bold), theme::buttonYellow, Qt::AlignLeft);
    twips::place(l, left, top, width, 330);
    return l;
}

QLineEdit *box(QWidget *parent, int maxLength, double pt)
{
    auto *e = new QLineEdit(parent);
    textlimit::limitWithCount(e, maxLength);
    e->setFont(twips::font(QStringLiteral("Times New Roman"), pt));
    return e;
}

}  // namespace

wizard::wizard() : Screen(QStringLiteral("wizard"))
{
    auto *heading = fixedText(this, QStringLiteral("Multiple Choice Wizard"), 120, 60, 5600, 20.25);
    heading->resize(heading->width(), twips::toPx(540));
    fixedText(this, QStringLiteral("Worksheet Title"), 6000, 150, 2100, 12);
    Text1 = box(this, 25, 12);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Worksheet Title"));
    twips::place(Text1, 8100, 100, 3780, 375);

    // Questions 1 to 5 on the left, 6 to 10 on the right; under each its answers two by two.
    const char letters[] = "ABCD";
    for (int q = 0; q < 10; ++q) {
        const double left = q < 5 ? 120 : 6060, top = 720 + (q % 5) * 1400;
        fixedText(this, QStringLiteral("Question %1").arg(q + 1), left, top + 30, 1400, 11);
        QLineEdit *question = box(this, 60, 12);
        question->setObjectName(QStringLiteral("Text2_%1").arg(q));
        question->setAccessibleName(QStringLiteral("Question %1").arg(q + 1));
        twips::place(question, left + 1420, top, 4380, 375);
        Text2.add(q, question);
        for (int a = 0; a < 4; ++a) {
            const double x = left + (a % 2) * 2910, y = top + 450 + (a / 2) * 420;
            auto *tick = new QCheckBox(this);
            tick->setObjectName(QStringLiteral("Check1_%1").arg(4 * q + a));
            tick->setAccessibleName(QStringLiteral("Question %1: %2 is the right answer").arg(q + 1).arg(QLatin1Char(letters[a])));
            twips::place(tick, x, y + 30, 300, 300);
            Check1.add(4 * q + a, tick);
            fixedText(this, QStringLiteral("%1.").arg(QLatin1Char(letters[a])), x + 320, y + 40, 330, 9.75);
            QLineEdit *answer = box(this, 30, 9.75);
            answer->setObjectName(QStringLiteral("Text3_%1").arg(4 * q + a));
            answer->setAccessibleName(QStringLiteral("Question %1, answer %2").arg(q + 1).arg(QLatin1Char(letters[a])));
            twips::place(answer, x + 640, y, 2220, 360);
            Text3.add(4 * q + a, answer);
        }
    }
    // Enter moves on: title to question 1, a question to its answer A, an answer to the next
    // one, answer D to the next question; after the last answer the focus stays.
    connect(Text1, &QLineEdit::returnPressed, this, [this] { Text2[0]->setFocus(); });
    for (int q = 0; q < 10; ++q)
        connect(Text2[q], &QLineEdit::returnPressed, this, [this, q] { Text3[4 * q]->setFocus(); });
    for (int i = 0; i < 40; ++i)
        connect(Text3[i], &QLineEdit::returnPressed, this, [this, i] {
            if (i % 4 != 3)
                Text3[i + 1]->setFocus();
            else if (i <= 38)
                Text2[(i + 1) / 4]->setFocus();
        });

    for (auto [index, text, left, width] : {std::tuple{0, "Exit", 10560.0, 1245.0}, std::tuple{1, "Save Worksheet", 7080.0, 3195.0}}) {
        auto *l = ClickLabel::button(this, index, QString::fromLatin1(text), left, 7920, width);
        connect(l, &ClickLabel::clicked, this, &wizard::label3_Click);
        label3.add(index, l);
    }
    declareHighlighting(label3, {0, 1}, true);
    setExitButton(label3[0]);

    // Beside "Save Worksheet", where nothing else stands.
    ampersandNote = fixedText(this, QStringLiteral("An \"&\" you type will show as a comma in the quiz."), 120, 8000, 6840, 9.75);
    ampersandNote->setObjectName(QStringLiteral("ampersandNote"));
    ampersandNote->hide();
    for (QLineEdit *e : findChildren<QLineEdit *>())
        connect(e, &QLineEdit::textChanged, this, &wizard::noteAmpersands);
}

void wizard::noteAmpersands()
{
    bool any = false;
    for (QLineEdit *e : findChildren<QLineEdit *>())
        any = any || e->text().contains(QLatin1Char('&'));
    if (any && ampersandNote->isHidden())
        accessibility::announce(this, ampersandNote->text());
    ampersandNote->setVisible(any);
}

void wizard::onLoad()
{
    setupform(this);
    for (const auto &[i, tick] : Check1) {
        QPalette p = tick->palette();
        p.setColor(QPalette::Window, theme::windowBlue);
        tick->setPalette(p);
    }
}

void wizard::label3_Click(int index)
{
    if (index == 1)
        genwork();
    else if (!unsaved() || messages::okCancel(kLeaveUnsaved))
        Screens::unload(this);
    playsound(media::click);
}

WorksheetEntries wizard::entries() const
{
    WorksheetEntries e;
    e.title = Text1->text();
    for (int q = 0; q < 10; ++q)
        e.questions[std::size_t(q)] = Text2[q]->text();
    for (int i = 0; i < 40; ++i) {
        e.answers[std::size_t(i)] = Text3[i]->text();
        e.ticks[std::size_t(i)] = Check1[i]->isChecked();
    }
    return e;
}

bool wizard::unsaved() const { return entries() != saved_; }

void wizard::opened(const QString &title)
{
    saved_ = entries();
    own_ = {title};
    for (QLineEdit *box : findChildren<QLineEdit *>())
        box->setCursorPosition(0);  // the start of a long text, not its end
}

// Names what will not show in full on the quiz screen, for a warning; empty when all fits.
QString wizard::misfits() const
{
    QStringList out;
    if (!quizfit::title(Text1->text()))
        out << QStringLiteral("the title");
    for (int q = 0; q < 10; ++q) {
        if (!quizfit::question(Text2[q]->text()))
            out << QStringLiteral("Question %1").arg(q + 1);
        for (int a = 0; a < 4; ++a)
            if (!quizfit::answer(Text3[4 * q + a]->text()))
                out << QStringLiteral("Question %1 answer %2").arg(q + 1).arg(QLatin1Char("ABCD"[a]));
    }
    return out.join(QStringLiteral(", "));
}

void wizard::save()
{
    const WorksheetEntries e = entries();
    const QString problem = titleProblem(e.title);
    if (!problem.isEmpty()) {
        messages::ok(problem);
        return;
    }
    const QString cut = misfits();
    if (!cut.isEmpty())
        messages::ok(QStringLiteral("These will not show in full on the quiz screen: %1. Your worksheet will still be saved.").arg(cut));
    // Another worksheet of this name is replaced only when the teacher says so.
    if (!own_.contains(e.title) && worksheetexists(e.title)
        && !messages::okCancel(QStringLiteral("A worksheet called %1 already exists. Do you want to replace it?").arg(e.title)))
        return;
    if (!saveworksheet(e))
        return;
    saved_ = e;
    own_.insert(e.title);
    if (worksheets *browser = Screens::find<worksheets>())
        browser->refresh();  // a new title shows in the open catalogue at once
}

void wizard::genwork()
{
    // Said before any check of the typing, which stays in the wizard for the teacher's computer.
    if (worksheetsReadOnly())
        return;
    if (Text1->text().isEmpty()) {
        messages::ok(QStringLiteral("You have not chosen a title for your worksheet"));
        return;
    }
    const QString notCompleted = QStringLiteral("You have not completed Question %1");
    for (int q = 0; q < 10; ++q) {
        if (Text2[q]->text().isEmpty()) {
            messages::ok(notCompleted.arg(q + 1));
            return;
        }
        int ticks = 0;
        for (int a = 0; a < 4; ++a) {
            if (Text3[4 * q + a]->text().isEmpty()) {
                messages::ok(notCompleted.arg(q + 1));
                return;
            }
            if (Check1[4 * q + a]->isChecked())
                ++ticks;
        }
        if (ticks == 0) {
            messages::ok(QStringLiteral("You have not ticked the correct answer for Question %1").arg(q + 1));
            return;
        }
        if (ticks > 1) {
            messages::ok(QStringLiteral("You have ticked more than one correct answer for Question %1").arg(q + 1));
            return;
        }
    }
    save();
}
