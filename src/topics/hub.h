// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "ui/picturebox.h"
#include "ui/screen.h"

#include <QLabel>
#include <QTimer>

// What the two topic hubs differ in.
struct Topic {
    QString title;
    double titleLeft, titleWidth, titleHeight;
    QString keyFactsSet;
    int keyFactsPages;
    QString notesSet;
    int notesPages;
    QString bank;         // the question file
    QString quizPicture;  // the quiz screen's small picture
};

// A topic's hub: its title, its pictures and the six buttons that open its activities.
class TopicHub : public Screen {
    Q_OBJECT
public:
    TopicHub(const QString &name, const Topic &topic);

    QLabel *Label1;
    ControlArray<ClickLabel> label3;

    void label3_Click(int index);

private:
    void openPages(int count, const QString &set);
    void openActivity(bool labelling);
    void startActivity(bool labelling);
    Topic topic_;
};

// "Other Planets": a black window with Jupiter turning.
class weather : public TopicHub {
    Q_OBJECT
public:
    weather();
    void onLoad() override;

    PictureBox *Image1;
    QTimer *Timer1;

    void Timer1_Timer();
};

// "Measuring Temperature": the weather map and the temperature strip.
class temperature : public TopicHub {
    Q_OBJECT
public:
    temperature();
    void onLoad() override;

    PictureBox *Image1;
    PictureBox *Image2;
};
