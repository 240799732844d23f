// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/textlimit.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace textlimit {
namespace {

// Room for a long emoji sequence in every place while keeping a line far under the readers' bound.
constexpr int kUnitsPerCharacter = 16;

// The grapheme boundaries of a text, from 0 to its size.
QList<qsizetype> boundaries(const QString &text)
{
    QList<qsizetype> out{0};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    while (finder.toNextBoundary() > 0)
        out << finder.position();
    if (out.back() != text.size())
        out << text.size();
    return out;
}

class Limit : public QValidator {
public:
    Limit(int max, QObject *parent) : QValidator(parent), max_(max) {}

    State validate(QString &input, int &pos) const override
    {
        for (QChar &c : input)
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                c = QLatin1Char(' ');
        QList<qsizetype> b = boundaries(input);
        // Drop whole characters just before the cursor (what was typed or pasted), else at the end.
        while (int(b.size()) - 1 > max_ || input.size() > qsizetype(max_) * kUnitsPerCharacter) {
            qsizetype at = std::lower_bound(b.begin(), b.end(), qsizetype(pos)) - b.begin();
            if (at <= 0 || at >= b.size())
                at = b.size() - 1;
            const qsizetype from = b[at - 1], to = b[at];
            input.remove(from, to - from);
            if (pos >= to)
                pos -= int(to - from);
            else if (pos > from)
                pos = int(from);
            b = boundaries(input);
        }
        return Acceptable;
    }

private:
    int max_;
};

// The count in a box's right end, the typed text kept clear of it.
class Counter : public QLabel {
public:
    Counter(QLineEdit *box, int max, int near) : QLabel(box), box_(box), max_(max), near_(near)
    {
        setObjectName(QStringLiteral("remaining"));
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, QColor(96, 96, 96));
        setPalette(p);
        box->installEventFilter(this);
        QObject::connect(box, &QLineEdit::textChanged, this, [this] { update(); });
        update();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange)
            update();
        return false;
    }

private:
    void update()
    {
        const QString count = remainingText(box_->text(), max_, near_);
        QFont f = box_->font();
        f.setPixelSize(std::max(1, QFontInfo(box_->font()).pixelSize() * 3 / 4));
        setFont(f);
        setText(count);
        const int w = count.isEmpty() ? 0 : QFontMetrics(f).horizontalAdvance(QStringLiteral("00 left")) + 4;
        setGeometry(box_->width() - w - 3, 0, w, box_->height());
        setVisible(!count.isEmpty());
        box_->setTextMargins(0, 0, w, 0);
        // A reader hears it with the box.
        box_->setAccessibleDescription(count.isEmpty() ? QString() : count.chopped(5) + QStringLiteral(" characters left"));
    }

    QLineEdit *box_;
    int max_, near_;
};

}  // namespace

QString remainingText(const QString &text, int max, int near)
{
    const int left = std::max(0, max - length(text));
    return left <= near ? QStringLiteral("%1 left").arg(left) : QString();
}

void limitWithCount(QLineEdit *box, int max, int near)
{
    limit(box, max);
    new Counter(box, max, near);
}

int length(const QString &text) { return int(boundaries(text).size()) - 1; }

void limit(QLineEdit *box, int max) { box->setValidator(new Limit(max, box)); }

}  // namespace textlimit
