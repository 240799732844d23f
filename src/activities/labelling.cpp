// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/labelling.h"

#include "ui/twips.h"

namespace {

const QColor kYellow(255, 255, 0), kCyan(128, 255, 255);

std::vector<ActivityItem> planets()
{
    return {
        {QStringLiteral("Earth"), 1320, 3510, 3120, 7320, 1320, 375},   {QStringLiteral("Saturn"), 8160, 2880, 3120, 6840, 1320, 375},
        {QStringLiteral("Mercury"), 120, 6840, 6000, 7320, 1320, 375},  {QStringLiteral("Jupiter"), 4770, 2400, 4560, 6840, 1320, 375},
        {QStringLiteral("Venus"), 600, 5340, 7440, 6840, 1320, 375},    {QStringLiteral("Mars"), 2880, 2640, 7440, 7320, 1320, 375},
        {QStringLiteral("Uranus"), 9780, 4500, 4560, 7320, 1320, 375},  {QStringLiteral("Neptune"), 10320, 6720, 6000, 6840, 1320, 375},
    };
}

std::vector<ActivityItem> thermometer()
{
    // The degree sign is the character 0xB0.
    return {
        {QStringLiteral("212° Fahrenheit"), 3600, 1860, 240, 5760, 2805, 375},
        {QStringLiteral("The Boiling Point of Water."), 8940, 1740, 240, 4560, 2805, 615},
        {QStringLiteral("The temperature shown by the thermometer."), 8940, 4590, 240, 3120, 2805, 615},
        {QStringLiteral("32° Fahrenheit"), 3600, 5610, 240, 5280, 2805, 375},
        {QStringLiteral("The Freezing Point of Water."), 8940, 5490, 240, 3840, 2805, 615},
        {QStringLiteral("77° Fahrenheit"), 3600, 4710, 240, 6240, 2805, 375},
    };
}

void title(QLabel *l, double left, double top, double width, double height, double pt)
{
    twips::place(l, left, top, width, height);
    l->setFont(twips::font(QStringLiteral("Times New Roman"), pt));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, kYellow);
    l->setPalette(p);
}

}  // namespace

weatherlab::weatherlab() : Activity(QStringLiteral("weatherlab"), planets(), true)
{
    title(Label6, 120, 120, 3345, 1305, 27.75);
    text(QStringLiteral("Label these pictures of the planets. They are positioned from left to right in order of their distance from the Sun."),
         2760, 4080, 6105, 1305, QStringLiteral("Times New Roman"), 18, true, kYellow, Qt::AlignHCenter);
    const double places[8][2] = {{4200, 120}, {420, 6000}, {720, 4200}, {1440, 2280}, {6720, 120}, {3150, 1800}, {9600, 2850}, {10200, 5040}};
    // Later pictures stand above earlier ones, so Saturn's black corner does not cut Uranus.
    for (int i = 7; i >= 0; --i) {
        auto *pic = new PictureBox(this, false);
        pic->setObjectName(QStringLiteral("Image1_%1").arg(i));
        pic->move(twips::toPx(places[i][0]), twips::toPx(places[i][1]));
        pic->lower();
        Image1.add(i, pic);
    }
}

void weatherlab::loadBegin() { setBackColor(QColor(0, 0, 0)); }

void weatherlab::loadPictures()
{
    const char *files[8] = {"Images\\jupitersm.jpg", "Images\\mercurysm2.jpg", "Images\\venussm.jpg", "Images\\earthsm.jpg",
                            "Images\\saturn.jpg",    "Images\\marssm.jpg",     "Images\\uranus.jpg",  "Images\\neptune.jpg"};
    for (int i = 0; i < 8; ++i) {
        // Shown at their own size, not stretched.
        Image1[i]->load(QString::fromLatin1(files[i]));
        Image1[i]->resize(Image1[i]->pictureSize());
    }
}

temperaturelab::temperaturelab() : Activity(QStringLiteral("temperaturelab"), thermometer(), true)
{
    title(Label6, 0, 120, 4905, 705, 24);
    text(QStringLiteral("Fahrenheit Scale"), 3840, 1440, 2625, 465, QStringLiteral("Times New Roman"), 15.75, false, kYellow, Qt::AlignHCenter);
    text(QStringLiteral("Label the thermometer."), 240, 2040, 2865, 945, QStringLiteral("Times New Roman"), 20.25, false, kYellow, Qt::AlignHCenter);
    text(QStringLiteral("Drag the labels into the correct boxes."), 240, 7920, 2745, 705, QStringLiteral("Tahoma"), 12, true, kCyan, Qt::AlignRight);
    auto *pic = new PictureBox(this, false);
    pic->setObjectName(QStringLiteral("Image1_0"));
    pic->move(twips::toPx(6480), twips::toPx(360));
    pic->lower();
    Image1.add(0, pic);
    std::vector<ActivityLine> lines;
    for (double y : {2040, 5790, 4890})
        lines.push_back({QPointF(8280, y), QPointF(8880, y)});
    for (double y : {2040, 5790, 4890})
        lines.push_back({QPointF(6480, y), QPointF(7320, y)});
    addLines(lines);
}

void temperaturelab::loadBegin()
{
    Image1[0]->load(QStringLiteral("Images\\thermometer.jpg"));
    Image1[0]->resize(Image1[0]->pictureSize());
}
