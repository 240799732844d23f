// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility.h"

#include "ui/clicklabel.h"
#include "services/paths.h"
#include "ui/picturebox.h"
#include "ui/stage.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace {

// A description file or a page's words larger than this is not ours: it is ignored.
constexpr qint64 kMaxTextBytes = 256 * 1024;

}  // namespace

QHash<QString, QString> accessibility::parseDescriptions(const QString &text)
{
    QHash<QString, QString> table;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab > 0)
            table.insert(line.left(tab).toLower(), line.mid(tab + 1).trimmed());
    }
    return table;
}

namespace {

QString readSmallText(const QString &relative)
{
    const QString file = paths::resolve(relative);
    if (file.isEmpty())
        return {};
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxTextBytes)
        return {};
    return QString::fromUtf8(f.read(kMaxTextBytes));
}

// "images/saturn.jpg" -> words, read once per data folder.
const QHash<QString, QString> &descriptions()
{
    static QString loadedFor;
    static QHash<QString, QString> table;
    if (loadedFor != paths::dataDir()) {
        loadedFor = paths::dataDir();
        table.clear();
        table = accessibility::parseDescriptions(readSmallText(QStringLiteral("descriptions.txt")));
    }
    return table;
}

class ButtonLabel : public QAccessibleWidget {
public:
    explicit ButtonLabel(ClickLabel *l) : QAccessibleWidget(l, QAccessible::Button) {}
    ClickLabel *label() const { return static_cast<ClickLabel *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return label()->accessibleName().isEmpty() ? label()->text() : label()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    // Queued, as Qt's own buttons answer with an animated click: a click that opens a message box
    // would otherwise hold the screen reader's call until the box is closed.
    void doAction(const QString &action) override
    {
        if (action != pressAction() || !usable(label()))
            return;
        QMetaObject::invokeMethod(label(), [l = QPointer<ClickLabel>(label())] {
            if (l && usable(l))
                emit l->clicked(l->index());
        }, Qt::QueuedConnection);
    }
    static bool usable(const ClickLabel *l) { return l->isEnabled() && l->isVisible(); }
};

class Picture : public QAccessibleWidget {
public:
    explicit Picture(PictureBox *p) : QAccessibleWidget(p, isPage(p) ? QAccessible::StaticText : QAccessible::Graphic) {}
    static bool isPage(const PictureBox *p) { return p->source().endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive); }

    QString text(QAccessible::Text t) const override
    {
        auto *p = static_cast<PictureBox *>(widget());
        if (t == QAccessible::Name) {
            const QString words = accessibility::describe(p->source());
            if (!words.isEmpty())
                return words;
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::Role role() const override
    {
        return isPage(static_cast<PictureBox *>(widget())) ? QAccessible::StaticText : QAccessible::Graphic;
    }
};

// The one object per window that carries announcements.
class Announcer : public QWidget {
public:
    explicit Announcer(QWidget *window) : QWidget(window)
    {
        setObjectName(QStringLiteral("announcer"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(1, 1);
    }
};

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::Notification) {}
};

// A screen behind the one in front is off the reader's map: not showing and with no children, so
// a screen reader's review and its tree hold only the screen the pupil sees.
class ScreenAccessible : public QAccessibleWidget {
public:
    explicit ScreenAccessible(Screen *s) : QAccessibleWidget(s) {}
    bool inFront() const
    {
        auto *stage = qobject_cast<Stage *>(widget()->parentWidget());
        return !stage || stage->frontScreen() == widget();
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (!inFront())
            s.invisible = s.offscreen = true;
        return s;
    }
    int childCount() const override { return inFront() ? QAccessibleWidget::childCount() : 0; }
    QAccessibleInterface *child(int index) const override { return inFront() ? QAccessibleWidget::child(index) : nullptr; }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (auto *l = qobject_cast<ClickLabel *>(object))
        return new ButtonLabel(l);
    if (auto *s = qobject_cast<Screen *>(object); s && !s->isWindow())
        return new ScreenAccessible(s);
    if (auto *p = qobject_cast<PictureBox *>(object))
        return new Picture(p);
    if (object && object->objectName() == QLatin1String("announcer") && dynamic_cast<Announcer *>(object))
        return new AnnouncerAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

}  // namespace

namespace accessibility {

void install()
{
    static bool done = false;
    if (!std::exchange(done, true))
        QAccessible::installFactory(factory);
}

QString describe(const QString &relativePath)
{
    if (relativePath.isEmpty())
        return {};
    QString key = relativePath.toLower();
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (key.endsWith(QLatin1String(".wmf"))) {
        // A page's words are shipped beside its screen rendering.
        if (!key.startsWith(QLatin1String("wmf/")))
            return {};
        return readSmallText(relativePath.left(relativePath.size() - 4) + QStringLiteral(".txt")).trimmed();
    }
    const auto &table = descriptions();
    if (auto it = table.find(key); it != table.end())
        return *it;
    // An animation's frames share the words of their recipe: "jupiter/jupite07.jpg" -> "jupiter/jupite".
    static const QRegularExpression frame(QStringLiteral("\\d+\\.[a-z]+$"));
    key.remove(frame);
    return table.value(key);
}

void announce(QWidget *w, const QString &text)
{
    if (!w || text.isEmpty())
        return;
    QWidget *window = w->window();
    auto *a = window->findChild<Announcer *>(QStringLiteral("announcer"), Qt::FindDirectChildrenOnly);
    if (!a)
        a = new Announcer(window);
    // The name change tells a reader that watches the alert; showing it again makes a screen
    // reader that presents alerts as they appear speak it.
    a->hide();
    a->setAccessibleName(text);
    a->show();
}

void frontChanged(QWidget *was, QWidget *now)
{
    if (!QAccessible::isActive())
        return;
    for (QWidget *w : {was, now}) {
        if (!w)
            continue;
        QAccessible::State changed;
        changed.invisible = changed.offscreen = true;
        QAccessibleStateChangeEvent event(w, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void nameChanged(QWidget *w)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(w, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

}  // namespace accessibility
