// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/pinpad.h"

#include "core/media.h"
#include "core/setupform.h"
#include "core/soundrequest.h"
#include "register/pin.h"
#include "services/logging.h"
#include "ui/accessibility.h"
#include "ui/labels.h"
#include "ui/screens.h"
#include "ui/twips.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpressionValidator>

namespace {

// One guard a register for the program's life: closing the pad and opening it again does not
// reset the tries.
pin::Guard &guardOf(const reg::Register *store)
{
    static QHash<QString, pin::Guard> guards;
    return guards[store->path()];
}

qint64 now() { return QDateTime::currentMSecsSinceEpoch(); }

QLineEdit *pinBox(QWidget *parent, const QString &name)
{
    auto *e = new QLineEdit(parent);
    e->setEchoMode(QLineEdit::Password);
    e->setMaxLength(8);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,8}")), e));
    e->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    e->setFont(twips::font(QStringLiteral("Tahoma"), 15.75, true));
    e->setAlignment(Qt::AlignHCenter);
    e->setAccessibleName(name);
    return e;
}

QPushButton *button(QWidget *parent, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setFont(twips::font(QStringLiteral("Tahoma"), 12, true));
    return b;
}

}  // namespace

PinPad::PinPad() : Screen(QStringLiteral("PinPad"))
{
    const QColor yellow(255, 255, 0);
    Label1 = makeLabel(this, QString(), twips::font(QStringLiteral("Tahoma"), 18, true), yellow);
    Label1->setWordWrap(true);
    twips::place(Label1, 600, 1800, 10800, 1080);
    Text1 = pinBox(this, QStringLiteral("PIN"));
    twips::place(Text1, 4500, 3240, 3000, 540);
    Label2 = makeLabel(this, QStringLiteral("Type it again:"), twips::font(QStringLiteral("Tahoma"), 14.25, true), Qt::white);
    twips::place(Label2, 3000, 4020, 6000, 420);
    Text2 = pinBox(this, QStringLiteral("The PIN again"));
    twips::place(Text2, 4500, 4500, 3000, 540);
    Label3 = makeLabel(this, QString(), twips::font(QStringLiteral("Tahoma"), 12, true), Qt::white);
    Label3->setWordWrap(true);
    twips::place(Label3, 1200, 5400, 9600, 840);
    Command1 = button(this, QStringLiteral("OK"));
    twips::place(Command1, 4500, 6600, 1380, 495);
    Command2 = button(this, QStringLiteral("Exit"));
    twips::place(Command2, 6120, 6600, 1380, 495);
    connect(Command1, &QPushButton::clicked, this, &PinPad::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, [this] {
        playsound(media::click);
        Screens::unload(this);
    });
    connect(Text1, &QLineEdit::returnPressed, this, [this] {
        if (choosing_)
            Text2->setFocus(Qt::TabFocusReason);
        else
            Command1->click();
    });
    connect(Text2, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    setEscapeAction([this] { Command2->click(); });
    wait_ = new QTimer(this);
    wait_->setInterval(1000);
    connect(wait_, &QTimer::timeout, this, &PinPad::showWait);
}

void PinPad::onLoad() { setupform(this); }

void PinPad::ask(reg::Register *store, bool choose, std::function<void()> done)
{
    store_ = store;
    done_ = std::move(done);
    choosing_ = choose || store->setting(pin::settingKey()).isEmpty();
    Label1->setText(choosing_ ? QStringLiteral("Choose a teacher's PIN of 4 to 8 digits. Pupils should not know it.")
                              : QStringLiteral("Type the teacher's PIN."));
    Label2->setVisible(choosing_);
    Text2->setVisible(choosing_);
    // Only boxes with something in them: clearing an empty one still moves its caret, and a screen
    // reader takes that caret for the focus, then stays silent when the focus itself arrives.
    for (QLineEdit *box : {Text1, Text2})
        if (!box->text().isEmpty())
            box->clear();
    Label3->clear();
    showWait();
    // Said once the pad is up: a screen reader takes the box's first caret event for the focus
    // and would otherwise name neither the box nor what to type.
    QTimer::singleShot(0, this, [this] { accessibility::announce(this, Label1->text()); });
}

void PinPad::showWait()
{
    const qint64 left = choosing_ ? 0 : guardOf(store_).waitMs(now());
    Command1->setEnabled(left == 0);
    Text1->setEnabled(left == 0);
    if (left > 0) {
        Label3->setText(QStringLiteral("Too many wrong tries. Try again in %1 seconds.").arg((left + 999) / 1000));
        wait_->start();
    } else {
        if (wait_->isActive())
            Label3->clear();
        wait_->stop();
        if (isVisible() && !Text1->hasFocus())
            Text1->setFocus(Qt::OtherFocusReason);
    }
}

void PinPad::Command1_Click()
{
    playsound(media::click);
    const QString typed = Text1->text();
    if (choosing_) {
        if (!pin::wellFormed(typed)) {
            tell(QStringLiteral("A PIN is 4 to 8 digits."));
        } else if (Text2->text() != typed) {
            tell(QStringLiteral("The two PINs are not the same. Type them again."));
            Text2->clear();
        } else if (!store_->setSetting(pin::settingKey(), pin::hash(typed))) {
            tell(QStringLiteral("The PIN could not be kept: ") + store_->error());
        } else {
            qCInfo(lcRegister) << "teacher's PIN set";
            auto done = std::move(done_);
            Screens::unload(this);
            done();
        }
        return;
    }
    if (guardOf(store_).attempt(store_->setting(pin::settingKey()), typed, now())) {
        auto done = std::move(done_);
        Screens::unload(this);
        done();
        return;
    }
    Text1->clear();
    qCInfo(lcRegister) << "wrong teacher's PIN";
    tell(QStringLiteral("That is not the teacher's PIN."));
    showWait();
}

void PinPad::tell(const QString &text)
{
    Label3->setText(text);
    accessibility::announce(this, text);
}
