// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The way into the teacher's room: the teacher's PIN typed, or on first use (and when the teacher
// changes it) chosen and typed twice. Five wrong tries make whoever guesses wait 30 seconds.
#include "register/store.h"
#include "ui/screen.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

class PinPad : public Screen {
    Q_OBJECT
public:
    PinPad();
    void onLoad() override;

    // Asks for the PIN kept in `store`, or for a new one when it keeps none or `choose` is set;
    // `done` runs once the PIN is right or the new one is kept, after the pad unloads.
    void ask(reg::Register *store, bool choose, std::function<void()> done);

    QLabel *Label1;      // what to do
    QLineEdit *Text1;    // the PIN
    QLabel *Label2;      // "Type it again:"
    QLineEdit *Text2;    // the new PIN again
    QLabel *Label3;      // what went wrong
    QPushButton *Command1;  // "OK"
    QPushButton *Command2;  // "Exit"

private:
    void Command1_Click();
    void showWait();
    void tell(const QString &text);  // shown under the boxes and said to a screen reader

    reg::Register *store_ = nullptr;
    bool choosing_ = false;
    std::function<void()> done_;
    QTimer *wait_;
};
