// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/messages.h"

#include "ui/screens.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <algorithm>

namespace {

class QtMessageBoxes : public MessageBoxes {
public:
    void ok(const QString &text) override { ask(text, QMessageBox::Ok); }
    bool okCancel(const QString &text) override
    {
        return ask(text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }
    QString openFile(const QString &caption, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(Screens::stage(), caption, QDir::homePath(), filter);
    }
    QString saveFile(const QString &caption, const QString &suggested, const QString &filter) override
    {
        return QFileDialog::getSaveFileName(Screens::stage(), caption, QDir::home().filePath(suggested), filter);
    }

private:
    static int ask(const QString &text, QMessageBox::StandardButtons buttons)
    {
        // Modal to the stage and centred on it, whatever the window manager would do.
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillmoor"), text, buttons, Screens::stage());
        box.setWindowModality(Qt::ApplicationModal);
        // At the screens' scale: a window takes no font from its parent unless told to. Qt wraps
        // a box's text past a width meant for a desktop's own font size, which would make a tall,
        // narrow box of a line at a larger scale: the line is kept whole while it fits the widest
        // box Qt allows (1000 pixels) and most of the stage.
        QWidget *stage = Screens::stage();
        box.setFont(stage->font());
        if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            int line = 0;
            for (const QString &l : text.split(QLatin1Char('\n')))
                line = std::max(line, QFontMetrics(box.font()).horizontalAdvance(l));
            const QMargins m = box.layout() ? box.layout()->contentsMargins() : QMargins();
            label->setMinimumWidth(std::min({line, 1000 - m.left() - m.right(), stage->width() * 3 / 5}));
        }
        return box.exec();
    }
};

std::unique_ptr<MessageBoxes> &current()
{
    static std::unique_ptr<MessageBoxes> boxes;
    return boxes;
}

}  // namespace

namespace messages {

void set(std::unique_ptr<MessageBoxes> boxes) { current() = std::move(boxes); }

MessageBoxes &get()
{
    if (!current())
        current() = std::make_unique<QtMessageBoxes>();
    return *current();
}

}  // namespace messages
