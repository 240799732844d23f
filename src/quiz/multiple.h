// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "ui/optionbutton.h"
#include "ui/picturebox.h"
#include "ui/screen.h"

#include <QLabel>
#include <QRadioButton>

// The quiz: the ten questions of the shared set one at a time, each judged when the pupil leaves
// it with Next; after the tenth the score, the review and the results screen.
class multiple : public Screen {
    Q_OBJECT
public:
    multiple();
    void onLoad() override;

    QLabel *Label1;
    QLabel *Label5;  // the product line, set by the opener
    QLabel *Label6;  // the set's title
    PictureBox *Picture1;
    QLabel *Label4;  // "Question 3"
    QLabel *Label2;  // the question
    ControlArray<OptionButton> Option1;  // 1 to 4 the answers, 5 the no-answer button
    ControlArray<ClickLabel> label3;

    void showquest();
    void label3_Click(int index);
    QList<QWidget *> focusStops() const override;

protected:
    void escape() override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Chooses answer 1 to 4 from the keyboard, as a click on it would, and puts the focus on it.
    void choose(int answer);
    void Option1_Click();
    void endQuiz();
    int chosen() const;  // the option chosen, 1 to 4, or 0 for none
};

// Whether a question set's texts show in full in their places on the quiz screen, measured with
// its own fonts and sizes: the title on one line, the question within its lines, an answer
// beside its option button.
namespace quizfit {
bool title(const QString &text);
bool question(const QString &text);
bool answer(const QString &text);
}  // namespace quizfit
