// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/intro0.h"
#include "core/media.h"

#include "authoring/catalogue.h"
#include "authoring/browser.h"
#include "authoring/wizard.h"
#include "ui/screens.h"
#include "ui/twips.h"
#include "ui/theme.h"
#include "core/setupform.h"
#include "core/shared.h"
#include "core/soundrequest.h"
#include "register/room.h"
#include "shell/titlefrm.h"
#include "topics/hub.h"
#include "viewers/guide.h"
#include "viewers/teacher.h"

namespace {

const QColor kYellow(255, 255, 0);

struct Entry {
    int index;
    const char *caption;
    double left, top, width, height, pt;
    QColor highlight;
};

const Entry kEntries[] = {
    {0, "Measuring Temperature", 120, 3240, 3315, 375, 12, QColor(0, 0, 0)},
    {10, "Other Planets", 3540, 6120, 3315, 375, 12, QColor(0, 0, 0)},
    {16, "Exit", 10560, 7920, 1245, 495, 18, QColor(0, 0, 0)},
    {17, "Multiple Choice Wizard", 7080, 5760, 4635, 495, 18, theme::navy},
    {18, "Worksheet Catalogue", 7080, 6600, 4635, 495, 18, theme::navy},
    {19, "Acknowledgments", 120, 7920, 3075, 495, 14.25, theme::navy},
    {20, "Teachers' Guide", 120, 1440, 3075, 495, 14.25, theme::navy},
    // The teacher's way into the class register, in the menu's free space.
    {21, "Class Register", 120, 2340, 3075, 495, 14.25, theme::navy},
};

void setTextColour(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

}  // namespace

intro0::intro0() : Screen(QStringLiteral("intro0"))
{
    Label1 = new QLabel(QStringLiteral("Quillmoor"), this);
    Label1->setFont(twips::font(QStringLiteral("Tahoma"), 32.25, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(Label1, kYellow);
    twips::place(Label1, 0, 120, 12000, 900);

    Image1 = new PictureBox(this, false);
    Image1->setObjectName(QStringLiteral("Image1"));
    twips::place(Image1, 6960, 1440, 4800, 3600);

    Option1 = new QRadioButton(QStringLiteral("Sound On"), this);
    Option2 = new QRadioButton(QStringLiteral("Sound Off"), this);
    for (QRadioButton *o : {Option1, Option2}) {
        o->setFont(twips::font(QStringLiteral("Tahoma"), 9.75, true));
        setTextColour(o, kYellow);
        o->setAutoFillBackground(true);
        o->setBackgroundRole(QPalette::Window);
    }
    Option1->setChecked(true);
    twips::place(Option1, 10440, 120, 1455, 255);
    twips::place(Option2, 10440, 480, 1455, 255);
    connect(Option1, &QRadioButton::clicked, this, [] { shared::soundflag = 1; });
    connect(Option2, &QRadioButton::clicked, this, [] { shared::soundflag = 0; });

    Label3 = new QLabel(QStringLiteral("Quillmoor science for primary schools"), this);
    Label3->setFont(twips::font(QStringLiteral("Tahoma"), 9.75));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(Label3, kYellow);
    twips::place(Label3, 0, 8280, 12000, 375);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &intro0::Timer1_Timer);

    for (const Entry &e : kEntries) {
        auto *l = new ClickLabel(e.index, QString::fromLatin1(e.caption), this);
        l->setObjectName(QStringLiteral("Label2_%1").arg(e.index));
        l->setFont(twips::font(QStringLiteral("Tahoma"), e.pt, true));
        l->setBackColor(e.highlight);
        twips::place(l, e.left, e.top, e.width, e.height);
        connect(l, &ClickLabel::clicked, this, &intro0::Label2_Click);
        Label2.add(e.index, l);
    }
    declareHighlighting(Label2, {0, 10, 16, 17, 18, 19, 20, 21}, true);
    setExitButton(Label2[16]);
}

void intro0::onLoad()
{
    setupform(this);
    Image1->load(QStringLiteral("Images\\icicle.jpg"));
    for (QRadioButton *o : {Option1, Option2}) {
        QPalette p = o->palette();
        p.setColor(QPalette::Window, theme::windowBlue);
        o->setPalette(p);
    }
    shared::soundflag = 1;
    Option1->setChecked(true);
    Timer1->start();
}

void intro0::Timer1_Timer()
{
    readcatalogue();
    Timer1->stop();
}

void intro0::Label2_Click(int index)
{
    switch (index) {
    case 0:
        Screens::show<temperature>();
        break;
    case 10:
        Screens::show<weather>();
        break;
    case 16:
        Titlefrm::openAsExitScreen();
        break;
    case 19: {
        teacher *viewer = Screens::get<teacher>();
        viewer->Label1->hide();
        viewer->label3[2]->hide();
        viewer->label3[3]->hide();
        viewer->Image1->load(QStringLiteral("wmf\\acknowledgments.wmf"));
        viewer->Picture2->load(QStringLiteral("logo\\corvane2.bmp"));
        viewer->Image2->load(QStringLiteral("wmf2\\acknowledgments.wmf"));
        viewer->setBackColor(QColor(49, 130, 212));
        viewer->Timer1->start();
        Screens::show<teacher>();
        break;
    }
    case 20: {
        guide *g = Screens::get<guide>();
        g->Image1->load(QStringLiteral("wmf\\guide1.wmf"));
        g->Image2->load(QStringLiteral("wmf2\\guide1.wmf"));
        shared::pagenum = 1;
        Screens::show<guide>();
        break;
    }
    case 21:
        enterRoom();
        break;
    case 17:
        Screens::show<wizard>();
        break;
    case 18:
        Screens::show<worksheets>();
        Screens::unload(this);
        break;
    default:
        break;
    }
    playsound(media::click);
}
