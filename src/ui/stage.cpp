// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/stage.h"

#include "services/logging.h"
#include "ui/accessibility.h"
#include "ui/scaledstyle.h"

#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QApplication>
#include <QToolTip>
#include <QCursor>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <cmath>

namespace {

// The thin edge round a screen: a dark line outside a light one, as a window frame looked. It is a
// sibling of the screen stacked right under it, so a screen in front covers the edges below.
class ScreenEdge : public QWidget {
public:
    explicit ScreenEdge(QWidget *stage) : QWidget(stage)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), theme::edgeOuter);
        const int w = Stage::kEdgeWidth / 2;
        p.fillRect(rect().adjusted(w, w, -w, -w), theme::edgeInner);
    }
};

QScreen *startScreen()
{
    if (QScreen *s = QGuiApplication::screenAt(QCursor::pos()))
        return s;
    return QGuiApplication::primaryScreen();
}

constexpr double kScreenWidthTwips = 12000, kScreenHeightTwips = 9000;

}  // namespace

std::optional<double> stagescale::parse(const QString &value)
{
    const QString v = value.trimmed();
    if (v.compare(QLatin1String("fit"), Qt::CaseInsensitive) == 0)
        return 0.0;
    bool ok = false;
    const double f = v.toDouble(&ok);
    if (!ok || !std::isfinite(f) || f < 0.25 || f > 8)
        return std::nullopt;
    return f;
}

double stagescale::fitFactor(const QSize &stage)
{
    const double f = std::min(stage.width() * twips::perPixel / kScreenWidthTwips,
                              stage.height() * twips::perPixel / kScreenHeightTwips);
    // A display smaller than a screen keeps actual size, the screen running past its corner.
    return std::max(1.0, f);
}

Stage::Stage(const QString &objectName) : Screen(objectName, TopLevel{})
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Quillmoor"));
    setFocusPolicy(Qt::NoFocus);
    if (QScreen *display = startScreen())
        setGeometry(display->geometry());
    // Covers the screens shown so far when the stage is shown again; takes their clicks, does nothing.
    backdrop_ = new QWidget(this);
    backdrop_->setObjectName(QStringLiteral("backdrop"));
    backdrop_->setAutoFillBackground(true);
    backdrop_->hide();

    const std::optional<double> chosen = stagescale::parse(qEnvironmentVariable("QUILLMOOR_SCALE"));
    if (chosen && *chosen > 0) {
        fitting_ = false;
        fixed_ = *chosen;
    }
    baseFontPx_ = QFontInfo(QApplication::font()).pixelSize();
    scaledstyle::install();
    // Screens are built after the stage: they start at the factor chosen here.
    twips::setFactor(fitting_ ? stagescale::fitFactor(size()) : fixed_);
    scaleOwnFont();
    auto *fit = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fit, &QShortcut::activated, this, &Stage::toggleFit);
}

Stage::~Stage()
{
    twips::setFactor(1.0);
    // The screens go after this object's members, in QWidget's destructor: they must not reach
    // back into edges_ then.
    for (auto &entry : edges_)
        disconnect(entry.first, &QObject::destroyed, this, nullptr);
}

void Stage::showStage()
{
    if (QScreen *display = startScreen())
        setGeometry(display->geometry());
    showFullScreen();
    activateWindow();
}

void Stage::present()
{
    if (!isVisible()) {
        showStage();
        return;
    }
    backdrop_->setGeometry(rect());
    backdrop_->show();
    backdrop_->raise();
    focusFrontScreen();
}

void Stage::bringToFront(Screen *s)
{
    if (!isVisible())
        showStage();
    if (!edges_.count(s)) {
        edges_[s] = new ScreenEdge(this);
        s->installEventFilter(this);
        connect(s, &QObject::destroyed, this, [this, s] {
            if (QWidget *edge = edges_[s])
                edge->deleteLater();
            edges_.erase(s);
        });
    }
    s->show();
    s->raise();
    syncEdge(s);
    focusFrontScreen();
    if (!isActiveWindow())
        activateWindow();
}

Screen *Stage::frontScreen() const
{
    const QObjectList &kids = children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        auto *w = qobject_cast<QWidget *>(*it);
        if (!w || !w->isVisibleTo(this))
            continue;
        if (w == backdrop_)
            return nullptr;
        if (auto *s = qobject_cast<Screen *>(w))
            return s;
    }
    return nullptr;
}

std::vector<Screen *> Stage::stackingOrder() const
{
    std::vector<Screen *> out;
    for (QObject *o : children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || !w->isVisibleTo(this))
            continue;
        if (w == backdrop_)
            out.push_back(nullptr);
        else if (auto *s = qobject_cast<Screen *>(w))
            out.push_back(s);
    }
    return out;
}

void Stage::focusFrontScreen()
{
    Screen *front = frontScreen();
    QWidget *current = focusWidget();
    if (!front) {
        if (current != this)
            setFocus(Qt::OtherFocusReason);
        return;
    }
    if (current && front->isAncestorOf(current) && current->isVisibleTo(front))
        return;
    // Back to the control the pupil last used on that screen, else its first control.
    QWidget *last = front->focusWidget();
    if (last && last != front && front->isAncestorOf(last) && last->isVisibleTo(front) && last->isEnabled())
        last->setFocus(Qt::OtherFocusReason);
    else
        front->focusFirstControl();
}

void Stage::syncEdge(Screen *s)
{
    QWidget *edge = edges_.count(s) ? edges_[s].data() : nullptr;
    if (!edge)
        return;
    edge->setGeometry(s->geometry().adjusted(-kEdgeWidth, -kEdgeWidth, kEdgeWidth, kEdgeWidth));
    edge->setVisible(s->isVisibleTo(this));
    edge->stackUnder(s);
}

void Stage::toggleFit()
{
    fitting_ = !fitting_;
    refit();
}

void Stage::refit()
{
    applyFactor(fitting_ ? stagescale::fitFactor(size()) : fixed_);
}

void Stage::applyFactor(double f)
{
    const double from = twips::factor();
    if (f == from)
        return;
    const QPointF centre = QRectF(rect()).center();
    std::vector<std::pair<Screen *, QPointF>> offsets;
    for (QObject *o : children())
        if (auto *s = qobject_cast<Screen *>(o); s && !s->isWindow())
            offsets.emplace_back(s, QRectF(s->geometry()).center() - centre);
    twips::setFactor(f);
    qCDebug(lcStage, "screens drawn at %g times actual size (were at %g)", f, from);
    scaleOwnFont();
    twips::rescale(this, from);
    backdrop_->setGeometry(rect());
    for (auto &[s, offset] : offsets) {
        const QPointF c = centre + offset * (f / from);
        s->move(int(std::lround(c.x() - s->width() / 2.0)), int(std::lround(c.y() - s->height() / 2.0)));
        syncEdge(s);
    }
}

void Stage::scaleOwnFont()
{
    // Controls without a font of their own (push buttons, text boxes) take the stage's.
    if (baseFontPx_ <= 0)
        return;
    QFont f = QApplication::font();
    f.setPixelSize(std::max(1, int(std::lround(baseFontPx_ * twips::factor()))));
    setFont(f);
    // Tool tips and message boxes are windows of their own, which take no font from the stage.
    QToolTip::setFont(f);
}

void Stage::closeEvent(QCloseEvent *event)
{
    // A session that ends closes its windows: go at once, without asking.
    if (qApp && static_cast<QGuiApplication *>(qApp)->isSavingSession()) {
        event->accept();
        Screens::end();
        return;
    }
    event->ignore();
    closeRequested();
}

void Stage::resizeEvent(QResizeEvent *event)
{
    Screen::resizeEvent(event);
    backdrop_->setGeometry(rect());
    // A compositor may give the stage another size than the display's once it is up: keep every
    // screen where it was relative to the centre.
    if (event->oldSize().isValid()) {
        const QSize d = (event->size() - event->oldSize()) / 2;
        for (QObject *o : children())
            if (auto *s = qobject_cast<Screen *>(o))
                s->move(s->pos() + QPoint(d.width(), d.height()));
    }
    refit();
}

void Stage::noteFront()
{
    Screen *now = frontScreen();
    if (now == front_)
        return;
    accessibility::frontChanged(front_, now);
    front_ = now;
}

bool Stage::eventFilter(QObject *watched, QEvent *event)
{
    auto *s = qobject_cast<Screen *>(watched);
    if (s && s->parentWidget() == this) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            syncEdge(s);
            break;
        case QEvent::Show:
        case QEvent::ZOrderChange:
            syncEdge(s);
            noteFront();
            break;
        case QEvent::Hide:
            syncEdge(s);
            focusFrontScreen();
            noteFront();
            break;
        default:
            break;
        }
    }
    return Screen::eventFilter(watched, event);
}
