#include "platform/textlimit.h"

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

}  // namespace

int length(const QString &text) { return int(boundaries(text).size()) - 1; }

void limit(QLineEdit *box, int max) { box->setValidator(new Limit(max, box)); }

}  // namespace textlimit
