#include "platform/messages.h"

#include "platform/screens.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class QtMessageBoxes : public MessageBoxes {
public:
    void ok(const QString &text) override { ask(text, QMessageBox::Ok); }
    bool okCancel(const QString &text) override
    {
        return ask(text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }

private:
    static int ask(const QString &text, QMessageBox::StandardButtons buttons)
    {
        // Modal to the stage and centred on it, whatever the window manager would do.
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillmoor"), text, buttons, Screens::stage());
        box.setWindowModality(Qt::ApplicationModal);
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
