#include "platform/stage.h"

#include "platform/screens.h"
#include "platform/theme.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

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

}  // namespace

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
}

Stage::~Stage()
{
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
    if (!event->oldSize().isValid())
        return;
    const QSize d = (event->size() - event->oldSize()) / 2;
    for (QObject *o : children())
        if (auto *s = qobject_cast<Screen *>(o))
            s->move(s->pos() + QPoint(d.width(), d.height()));
}

bool Stage::eventFilter(QObject *watched, QEvent *event)
{
    auto *s = qobject_cast<Screen *>(watched);
    if (s && s->parentWidget() == this) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::ZOrderChange:
            syncEdge(s);
            break;
        case QEvent::Hide:
            syncEdge(s);
            focusFrontScreen();
            break;
        default:
            break;
        }
    }
    return Screen::eventFilter(watched, event);
}
