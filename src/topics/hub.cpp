// SPDX-License-Identifier: GPL-3.0-or-later
#include "topics/hub.h"
#include "core/media.h"

#include "ui/screens.h"
#include "activities/labelling.h"
#include "core/attempts.h"
#include "activities/ordering.h"
#include "quiz/multiple.h"
#include "quiz/questions.h"
#include "ui/twips.h"
#include "ui/theme.h"
#include "core/navigation.h"
#include "core/setupform.h"
#include "core/shared.h"
#include "core/soundrequest.h"
#include "viewers/teacher.h"

TopicHub::TopicHub(const QString &name, const Topic &topic) : Screen(name), topic_(topic)
{
    Label1 = new QLabel(topic.title, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(twips::font(QStringLiteral("Times New Roman"), 27.75, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette p = Label1->palette();
    p.setColor(QPalette::WindowText, theme::buttonYellow);
    Label1->setPalette(p);
    twips::place(Label1, topic.titleLeft, 0, topic.titleWidth, topic.titleHeight);

    struct Button {
        int index;
        const char *caption;
        double left, top, width;
    };
    const Button buttons[] = {
        {0, "Multiple Choice", 120, 7920, 3195},    {1, "Labelling Activity", 3600, 7920, 3195},
        {2, "Exit", 10560, 7920, 1245},             {3, "Ordering Activity", 7080, 7920, 3195},
        {4, "Key Facts", 6360, 120, 1995},          {5, "Teacher's Notes", 8640, 120, 3195},
    };
    for (const Button &b : buttons) {
        auto *l = ClickLabel::button(this, b.index, QString::fromLatin1(b.caption), b.left, b.top, b.width);
        connect(l, &ClickLabel::clicked, this, &TopicHub::label3_Click);
        label3.add(b.index, l);
    }
    declareHighlighting(label3, {0, 1, 2, 3, 4, 5}, true);
    setExitButton(label3[2]);
}

void TopicHub::openPages(int count, const QString &set)
{
    shared::pagecount = count;
    shared::pageset = set;
    teacher *viewer = Screens::get<teacher>();
    viewer->Image1->load(QStringLiteral("wmf\\") + set + QStringLiteral("a.wmf"));
    viewer->Image2->load(QStringLiteral("wmf2\\") + set + QStringLiteral("a.wmf"));
    Screens::show<teacher>();
}

void TopicHub::openActivity(bool labelling)
{
    attempts::beforeStart(Label1->text() + (labelling ? QStringLiteral(": Labelling Activity") : QStringLiteral(": Ordering Activity")),
                          [this, labelling] { startActivity(labelling); });
}

void TopicHub::startActivity(bool labelling)
{
    // Touching the title loads the screen; the hub's title then replaces whatever load set.
    Activity *activity = nullptr;
    const bool planets = objectName() == QLatin1String("weather");
    if (labelling)
        activity = planets ? static_cast<Activity *>(Screens::get<weatherlab>()) : Screens::get<temperaturelab>();
    else
        activity = planets ? static_cast<Activity *>(Screens::get<weatherord>()) : Screens::get<temperatureord>();
    activity->Label6->setText(Label1->text());
    Screens::bringToFront(activity);
}

void TopicHub::label3_Click(int index)
{
    switch (index) {
    case 0:
        // A bank that cannot be read as a question set opens nothing and changes nothing.
        if (loadquestionfile(topic_.bank))
            attempts::beforeStart(Label1->text() + QStringLiteral(": Multiple Choice"), [this] {
                multiple *quiz = Screens::get<multiple>();
                quiz->Picture1->load(topic_.quizPicture);
                quiz->Label5->setText(QStringLiteral("Quillmoor"));
                Screens::show<multiple>();
            });
        break;
    case 2:
        navigation::shell()->showMenu();
        Screens::unload(this);
        break;
    case 4:
        openPages(topic_.keyFactsPages, topic_.keyFactsSet);
        break;
    case 5:
        openPages(topic_.notesPages, topic_.notesSet);
        break;
    case 1:
    case 3:
        openActivity(index == 1);
        break;
    default:
        break;
    }
    playsound(media::click);
}

// ---- Other Planets ---------------------------------------------------------------------------

weather::weather()
    : TopicHub(QStringLiteral("weather"), Topic{.title = QStringLiteral("Other Planets"),
                                                .titleLeft = 120,
                                                .titleWidth = 6120,
                                                .titleHeight = 660,
                                                .keyFactsSet = QStringLiteral("key weather"),
                                                .keyFactsPages = 3,
                                                .notesSet = QStringLiteral("weather"),
                                                .notesPages = 2,
                                                .bank = QStringLiteral("multiple\\Other Planets.txt"),
                                                .quizPicture = QStringLiteral("images\\jupitersm.jpg")})
{
    Image1 = new PictureBox(this, false);
    Image1->setObjectName(QStringLiteral("Image1"));
    twips::place(Image1, 0, 1260, 12000, 6000);
    Image1->lower();
    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &weather::Timer1_Timer);
}

void weather::onLoad()
{
    setupform(this);
    setBackColor(QColor(0, 0, 0));
    shared::jupiterframe = 0;
    Image1->load(QStringLiteral("jupiter\\jupite00.jpg"));
    Timer1->start();
}

void weather::Timer1_Timer()
{
    int frame = shared::jupiterframe.toInt() + 1;
    if (frame > 99)
        frame = 0;
    shared::jupiterframe = frame;
    // The count goes on under other screens, but only a hub in view decodes its frame; a missing
    // frame leaves the last one in place.
    Image1->showFrame(frame < 10 ? QStringLiteral("jupiter\\jupite0%1.jpg").arg(frame) : QStringLiteral("jupiter\\jupite%1.jpg").arg(frame));
}

// ---- Measuring Temperature ---------------------------------------------------------------------

temperature::temperature()
    : TopicHub(QStringLiteral("temperature"), Topic{.title = QStringLiteral("Measuring Temperature"),
                                                    .titleLeft = 240,
                                                    .titleWidth = 6000,
                                                    .titleHeight = 900,
                                                    .keyFactsSet = QStringLiteral("key temperature"),
                                                    .keyFactsPages = 2,
                                                    .notesSet = QStringLiteral("temperature"),
                                                    .notesPages = 2,
                                                    .bank = QStringLiteral("multiple\\Measuring Temperature.txt"),
                                                    .quizPicture = QStringLiteral("images\\thermosm.jpg")})
{
    Image1 = new PictureBox(this, false);
    Image1->setObjectName(QStringLiteral("Image1"));
    twips::place(Image1, 1800, 720, 8460, 6330);
    Image2 = new PictureBox(this, false);
    Image2->setObjectName(QStringLiteral("Image2"));
    twips::place(Image2, 3000, 7140, 6000, 600);
}

void temperature::onLoad()
{
    setupform(this);
    setBackColor(theme::windowBlue);
    // Each image takes its picture's size and is centred across the window.
    for (auto [image, file, top] : {std::tuple{Image1, "images\\weathermap.jpg", 720.0}, std::tuple{Image2, "images\\tempgauge.jpg", 7140.0}}) {
        image->load(QString::fromLatin1(file));
        const QSize size = image->pictureSize();
        if (size.isEmpty())
            continue;
        const double width = twips::fromPx(size.width());
        twips::place(image, (12000 - width) / 2, top, width, twips::fromPx(size.height()));
    }
}
