// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The read-aloud button: a small speaker button that reads what its screen gives it (the
// question and its answers, the page on show), and the key R that does the same. A second press
// while it reads stops it, as does its screen going away. With sound off nothing is spoken; with
// no speech engine the button is never shown and R does nothing.
#include "ui/clicklabel.h"

#include <QTimer>
#include <functional>

class ReadAloud : public ClickLabel {
    Q_OBJECT
public:
    // Placed on the screen at a designed position (twips); text() is read at each press.
    ReadAloud(QWidget *screen, std::function<QString()> text, double left, double top);
    ~ReadAloud() override;

    // Reads, or stops reading when it is reading.
    void toggle();
    // Stops its own reading (a new question or page, the screen hidden); nothing else's.
    void stop();
    // Reading now: the button shows it until the speaker has finished or is stopped.
    bool reading() const { return reading_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setReading(bool on);
    void speak();
    static QString idleDescription();

    std::function<QString()> text_;
    QString pending_;  // what it will say once a screen reader has had its turn
    bool reading_ = false;
    QTimer watch_;
    QTimer wait_;
};

// "Question text? A: first. B: second. C: third. D: fourth." as the quiz reads it.
QString readableQuestion(const QString &question, const QStringList &answers);
