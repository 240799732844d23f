#include "authoring/browser.h"

#include "authoring/catalogue.h"
#include "authoring/wizard.h"
#include "authoring/worksheets.h"
#include "platform/messages.h"
#include "platform/screens.h"
#include "platform/twips.h"
#include "quiz/multiple.h"
#include "quiz/questions.h"
#include "core/navigation.h"
#include "core/setupform.h"
#include "core/shared.h"
#include "core/soundrequest.h"

namespace {
const QString kCorrupted = QStringLiteral("This worksheet seems to be corrupted.");
constexpr int kPerPage = 24;

QCheckBox *modeBox(QWidget *parent, const QString &text, double left)
{
    auto *c = new QCheckBox(text, parent);
    c->setFont(twips::font(QStringLiteral("Tahoma"), 12, true));
    QPalette p = c->palette();
    p.setColor(QPalette::WindowText, QColor(255, 255, 0));
    c->setPalette(p);
    twips::place(c, left, 120, 2640, 375);
    return c;
}
}  // namespace

worksheets::worksheets() : Screen(QStringLiteral("worksheets"))
{
    Label1 = new QLabel(QStringLiteral("Worksheets Catalogue"), this);
    Label1->setFont(twips::font(QStringLiteral("Tahoma"), 20.25, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette p = Label1->palette();
    p.setColor(QPalette::WindowText, QColor(255, 255, 0));
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
        twips::place(slot, k <= 12 ? 120 : 6120, 720 + 600 * ((k - 1) % 12), 5715, 375);
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
        p.setColor(QPalette::Window, QColor(39, 63, 137));
        c->setPalette(p);
    }
    shared::catalogpage = 0;
    for (int k = 1; k <= kPerPage; ++k) {
        Label2[k]->hide();
        Label2[k]->setFont(twips::font(QStringLiteral("Tahoma"), 12, true));
    }
    const int count = shared::worksheetcount.toInt();
    const int last = count < kPerPage + 1 ? count : kPerPage;
    if (count >= kPerPage + 1)
        label3[1]->show();
    for (int i = 1; i <= last; ++i) {
        Label2[i]->setText(shared::worksheetname[i]);
        Label2[i]->show();
    }
}

void worksheets::workpage()
{
    for (int k = 1; k <= kPerPage; ++k) {
        Label2[k]->clear();
        Label2[k]->hide();
    }
    label3[0]->show();
    label3[1]->show();
    const int page = shared::catalogpage.toInt();
    if (page == 0)
        label3[0]->hide();
    Label4->setText(QStringLiteral("Page %1").arg(page + 1));
    // Pages run on to the last title (at most 42 pages for 1000 titles).
    const int count = shared::worksheetcount.toInt();
    int last = kPerPage * page + kPerPage;
    if (count < kPerPage * page + kPerPage + 1) {
        last = count;
        label3[1]->hide();
    }
    for (int i = kPerPage * page + 1; i <= last; ++i) {
        Label2[i - kPerPage * page]->setText(shared::worksheetname[i]);
        Label2[i - kPerPage * page]->show();
    }
}

void worksheets::label3_Click(int index)
{
    shared::catalogpage = shared::catalogpage.toInt() + (index == 0 ? -1 : 1);
    workpage();
    playsound(QStringLiteral("wav\\click.wav"));
}

void worksheets::Label2_Click(int index)
{
    playsound(QStringLiteral("wav\\click.wav"));
    if (index == 0) {
        navigation::shell()->showMenu();
        Screens::unload(this);
        return;
    }
    const QString title = Label2[index]->text();
    if (!loadquestionfile(QStringLiteral("multiple/") + title + QStringLiteral(".txt"))) {
        messages::ok(kCorrupted);
        return;
    }
    if (Check1->isChecked()) {
        editworksheet();
    } else if (Check2->isChecked()) {
        if (!messages::okCancel(QStringLiteral("Are you sure that you want to delete the worksheet ") + title + QStringLiteral("?")))
            return;
        shared::currentworksheet = title;
        if (!delworksheet()) {
            messages::ok(kCorrupted);
            return;
        }
        showSlots();
    } else {
        // Reading the menu's picture and title loads the menu unseen, which turns sound on.
        const navigation::MenuLook menu = navigation::shell()->menuLook();
        multiple *quiz = Screens::get<multiple>();
        quiz->Picture1->setPicture(menu.picture);
        quiz->Label5->setText(menu.productLine);
        Screens::show<multiple>();
    }
}

void worksheets::showSlots()
{
    const int page = shared::catalogpage.toInt();
    for (int k = 1; k <= kPerPage; ++k) {
        Label2[k]->hide();
        const int i = kPerPage * page + k;
        Label2[k]->setText(i <= shared::kMaxWorksheets ? shared::worksheetname[i] : QString());
    }
    const int m = std::min(kPerPage, shared::worksheetcount.toInt() - kPerPage * page);
    for (int k = 1; k <= m; ++k)
        Label2[k]->show();
}

void worksheets::editworksheet()
{
    wizard *w = Screens::get<wizard>();
    w->Text1->setText(shared::tasktitle);
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
    Screens::show<wizard>();
}
