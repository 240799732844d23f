// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/readaloud.h"

#include "core/shared.h"
#include "services/speech.h"
#include "ui/theme.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr double kSize = 495;  // twips: the height of a screen's buttons, square
// A screen reader first echoes the key and any change to the button; long enough for that.
constexpr int kAfterScreenReaderMs = 700;

QString sentence(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.endsWith(QLatin1Char('.')) || t.endsWith(QLatin1Char('?')) || t.endsWith(QLatin1Char('!')))
        return t;
    return t + QLatin1Char('.');
}
}  // namespace

QString ReadAloud::idleDescription() { return QStringLiteral("Key R"); }

QString readableQuestion(const QString &question, const QStringList &answers)
{
    QStringList parts{sentence(question)};
    for (int i = 0; i < answers.size() && i < 4; ++i) {
        const QString letter(QLatin1Char(char('A' + i)));
        const QString answer = sentence(answers[i]);
        // An empty answer is read as its letter alone.
        parts << (answer.isEmpty() ? letter + QLatin1Char('.') : letter + QStringLiteral(": ") + answer);
    }
    return parts.join(QLatin1Char(' '));
}

ReadAloud::ReadAloud(QWidget *screen, std::function<QString()> text, double left, double top)
    : ClickLabel(0, QString(), screen), text_(std::move(text))
{
    setObjectName(QStringLiteral("readaloud"));
    setAccessibleName(QStringLiteral("Read aloud"));
    setToolTip(QStringLiteral("Read aloud (R)"));
    // Its own description, or a reader would say the tool tip's "Read aloud" a second time.
    setAccessibleDescription(idleDescription());
    twips::place(this, left, top, kSize, kSize);
    connect(this, &ClickLabel::clicked, this, &ReadAloud::toggle);
    // While it reads, the button shows it; asked of the speaker, which finishes on its own.
    watch_.setInterval(200);
    connect(&watch_, &QTimer::timeout, this, [this] {
        if (!speech::speaker()->speaking())
            setReading(false);
    });
    wait_.setSingleShot(true);
    connect(&wait_, &QTimer::timeout, this, &ReadAloud::speak);
    screen->installEventFilter(this);
    // No engine, no button: nothing else changes on the screen.
    if (!speech::speaker()->available())
        hide();
}

ReadAloud::~ReadAloud() { stop(); }

void ReadAloud::toggle()
{
    Speaker *s = speech::speaker();
    if (!s->available())
        return;
    // Finished by itself but not yet noticed: a press reads again.
    if (reading_ && (wait_.isActive() || s->speaking())) {
        stop();
        return;
    }
    if (shared::soundflag != 1)
        return;
    const QString text = text_().trimmed();
    if (text.isEmpty())
        return;
    pending_ = text;
    setReading(true);
    if (s->screenReaderRunning())
        wait_.start(kAfterScreenReaderMs);
    else
        speak();
}

void ReadAloud::speak()
{
    speech::speaker()->say(pending_);
    pending_.clear();
    watch_.start();
}

void ReadAloud::stop()
{
    if (!reading_)
        return;
    const bool started = !wait_.isActive();
    setReading(false);
    if (started)
        speech::speaker()->stop();
}

void ReadAloud::setReading(bool on)
{
    reading_ = on;
    if (!on) {
        watch_.stop();
        wait_.stop();
        pending_.clear();
    }
    setAccessibleDescription(on ? QStringLiteral("Reading. Press again to stop.") : idleDescription());
    update();
}

bool ReadAloud::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Hide) {
        stop();
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_R && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !key->isAutoRepeat()) {
            if (!isHidden())
                toggle();
            return true;
        }
    }
    return false;
}

void ReadAloud::paintEvent(QPaintEvent *event)
{
    ClickLabel::paintEvent(event);
    // A speaker and two sound waves, drawn so it needs no picture file and stays sharp.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width(), h = height();
    QColor ink = isEnabled() ? theme::buttonYellow : QColor(140, 140, 140);
    if (reading_) {
        // Reading: the button lights up, the speaker dark on it, with a third wave.
        p.fillRect(rect().adjusted(1, 1, -1, -1), ink);
        ink = theme::black;
    }
    QPainterPath body;
    body.moveTo(w * 0.18, h * 0.38);
    body.lineTo(w * 0.34, h * 0.38);
    body.lineTo(w * 0.54, h * 0.2);
    body.lineTo(w * 0.54, h * 0.8);
    body.lineTo(w * 0.34, h * 0.62);
    body.lineTo(w * 0.18, h * 0.62);
    body.closeSubpath();
    p.fillPath(body, ink);
    p.setPen(QPen(ink, qMax(1.5, w / 16)));
    for (double r : {0.14, 0.26, 0.38})
        if (r < 0.3 || reading_)
            p.drawArc(QRectF(w * 0.54 - w * r, h * 0.5 - h * r, 2 * w * r, 2 * h * r), -45 * 16, 90 * 16);
}
