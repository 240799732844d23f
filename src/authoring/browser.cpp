// SPDX-License-Identifier: GPL-3.0-or-later
#include "authoring/browser.h"

#include "core/attempts.h"
#include "core/media.h"

#include "authoring/catalogue.h"
#include "authoring/wizard.h"
#include "authoring/worksheets.h"
#include "formats/fieldfile.h"
#include "ui/messages.h"
#include "ui/screens.h"
#include "ui/twips.h"
#include "ui/theme.h"
#include "quiz/multiple.h"
#include "quiz/questions.h"
#include "core/navigation.h"
#include "core/setupform.h"
#include "core/shared.h"
#include "core/soundrequest.h"

#include <QFile>

namespace {
constexpr int kPerPage = 24;
constexpr int kPerColumn = kPerPage / 2;  // two columns of slots

QCheckBox *modeBox(QWidget *parent, const QString &text, double left)
{
    auto *c = new QCheckBox(text, parent);
    c->setFont(twips::font(QStringLiteral("Tahoma"), 12, true));
    QPalette p = c->palette();
    p.setColor(QPalette::WindowText, theme::buttonYellow);
    c->setPalette(p);
    twips::place(c, left, 120, 2640, 375);
    return c;
}

// Loads a catalogue title's worksheet into the shared question set; false when it cannot be read.
bool loadworksheet(const QString &title) { return loadquestionsfrom(worksheetfile(title)); }
}  // namespace

worksheets::worksheets() : Screen(QStringLiteral("worksheets"))
{
    Label1 = new QLabel(QStringLiteral("Worksheets Catalogue"), this);
    Label1->setFont(twips::font(QStringLiteral("Tahoma"), 20.25, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette p = Label1->palette();
    p.setColor(QPalette::WindowText, theme::buttonYellow);
    Label1->setPalette(p);
    twips::place(Label1, 0, 60, 12000, 540);
    Check1 = modeBox(this, QStringLiteral("Edit Worksheet"), 120);
    Check2 = modeBox(this, QStringLiteral("Delete Worksheet"), 9240);
    // Only one mode at a time: ticking one unticks the other.
    connect(Check1, &QCheckBox::clicked, this, [this](bool on) { if (on) Check2->setChecked(false); });
    connect(Check2, &QCheckBox::clicked, this, [this](bool on) { if (on) Check1->setChecked(false); });

    Label2.add(0, ClickLabel::button(this, 0, QStringLiteral("Exit"), 10560, 7920, 1245, 495, QStringLiteral("Label2")));
    for (int k = 1; k <= kPerPage; ++k) {
        auto *slot = new ClickLabel(k, QString(), this);
        slot->setObjectName(QStringLiteral("Label2_%1").arg(k));
        slot->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        slot->setTextFormat(Qt::PlainText);
        twips::place(slot, k <= kPerColumn ? 120 : 6120, 720 + 600 * ((k - 1) % kPerColumn), 5715, 375);
        Label2.add(k, slot);
    }
    for (const auto &[k, l] : Label2)
        connect(l, &ClickLabel::clicked, this, &worksheets::Label2_Click);
    for (auto [index, text, left] : {std::tuple{0, "<< Previous Page", 2640.0}, std::tuple{1, "Next Page >>", 6000.0}}) {
        auto *l = ClickLabel::button(this, index, QString::fromLatin1(text), left, 7920, 3195);
        l->hide();
        connect(l, &ClickLabel::clicked, this, &worksheets::label3_Click);
        label3.add(index, l);
    }
    Label4 = new QLabel(QStringLiteral("Page 1"), this);
    Label4->setFont(twips::font(QStringLiteral("Tahoma"), 15.75, true));
    Label4->setPalette(p);
    twips::place(Label4, 120, 7920, 2400, 495);
    std::vector<int> range;
    for (int k = 0; k <= kPerPage; ++k)
        range.push_back(k);
    declareHighlighting(Label2, range, true);
    setExitButton(Label2[0]);  // the page buttons have none and stay opaque
}

void worksheets::onLoad()
{
    setupform(this);
    readcatalogue();
    for (QCheckBox *c : {Check1, Check2}) {
        QPalette p = c->palette();
        p.setColor(QPalette::Window, theme::windowBlue);
        c->setPalette(p);
    }
    shared::catalogpage = 0;
    for (int k = 1; k <= kPerPage; ++k)
        Label2[k]->setFont(twips::font(QStringLiteral("Tahoma"), 12, true));
    workpage();
}

void worksheets::workpage()
{
    const CataloguePage page = cataloguePage(shared::worksheetcount.toInt(), shared::catalogpage.toInt(), kPerPage);
    label3[0]->setVisible(page.hasPrevious);
    label3[1]->setVisible(page.hasNext);
    Label4->setText(QStringLiteral("Page %1").arg(shared::catalogpage.toInt() + 1));
    showSlots();
}

void worksheets::label3_Click(int index)
{
    shared::catalogpage = shared::catalogpage.toInt() + (index == 0 ? -1 : 1);
    workpage();
    playsound(media::click);
}

void worksheets::Label2_Click(int index)
{
    playsound(media::click);
    if (index == 0) {
        navigation::shell()->showMenu();
        Screens::unload(this);
        return;
    }
    const QString title = Label2[index]->text();
    const bool loaded = loadworksheet(title);
    if (Check2->isChecked()) {
        // A title whose file is gone or broken can still be taken out of the catalogue.
        deleteTitle(title);
        return;
    }
    if (!loaded) {
        messages::ok(kCorruptedMessage);
        return;
    }
    if (Check1->isChecked()) {
        editworksheet(title);
    } else {
        attempts::beforeStart(title, [] {
            // Reading the menu's picture and title loads the menu unseen, which turns sound on.
            const navigation::MenuLook menu = navigation::shell()->menuLook();
            multiple *quiz = Screens::get<multiple>();
            quiz->Picture1->setPicture(menu.picture);
            quiz->Label5->setText(menu.productLine);
            Screens::show<multiple>();
        });
    }
}

void worksheets::deleteTitle(const QString &title)
{
    if (worksheetsReadOnly())
        return;
    if (!messages::okCancel(QStringLiteral("Are you sure that you want to delete the worksheet ") + title + QStringLiteral("?")))
        return;
    shared::currentworksheet = title;
    const Change done = delworksheet();
    if (done != Change::Done) {
        messages::ok(changeMessage(done, false));
        return;
    }
    showSlots();
}

void worksheets::refresh()
{
    readcatalogue();
    workpage();
}

// The titles of the page on show; the paging buttons and the caption are left as they are, as a
// deletion leaves them.
void worksheets::showSlots()
{
    const CataloguePage page = cataloguePage(shared::worksheetcount.toInt(), shared::catalogpage.toInt(), kPerPage);
    for (int k = 1; k <= kPerPage; ++k) {
        const int i = page.first + k - 1;
        const bool shown = i <= page.last && i <= shared::kMaxWorksheets;
        Label2[k]->setText(shown ? shared::worksheetname[i] : QString());
        Label2[k]->setVisible(shown);
    }
}

void worksheets::editworksheet(const QString &title)
{
    if (wizard *open = Screens::find<wizard>(); open && open->unsaved()
        && !messages::okCancel(QStringLiteral("The wizard holds a worksheet that has not been saved. "
                                              "Do you want to replace it with the worksheet %1?").arg(title)))
        return;
    wizard *w = Screens::get<wizard>();
    // The catalogue's title, not the file's first line, which reads "&" as a comma: the worksheet
    // is saved again under the name it has.
    w->Text1->setText(title);
    for (int q = 0; q < 10; ++q) {
        w->Text2[q]->setText(shared::question[q + 1]);
        w->Text3[4 * q]->setText(shared::answera[q + 1]);
        w->Text3[4 * q + 1]->setText(shared::answerb[q + 1]);
        w->Text3[4 * q + 2]->setText(shared::answerc[q + 1]);
        w->Text3[4 * q + 3]->setText(shared::answerd[q + 1]);
        const int n = shared::correct[q + 1].toInt();  // the loader lets only 1 to 4 through
        for (int a = 0; a < 4; ++a)
            w->Check1[4 * q + a]->setChecked(a == n - 1);
    }
    w->opened(title);
    Screens::show<wizard>();
}
