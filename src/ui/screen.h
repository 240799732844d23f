// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every screen: a child of the stage (the program's one window) with a load handler,
// a back colour and the hover highlighting of its clickable labels.
#include "ui/controlarray.h"

#include <QColor>
#include <QWidget>
#include <functional>
#include <vector>

class ClickLabel;

class Screen : public QWidget {
    Q_OBJECT
public:
    // A screen is born hidden on the stage, which the registry loads first when it is not loaded.
    explicit Screen(const QString &objectName);

    // The load handler: runs once, right after construction, before the screen is ever shown.
    virtual void onLoad() {}
    // Runs when the screen is unloaded, before it is hidden and destroyed.
    virtual void onUnload() {}

    void setBackColor(const QColor &c);
    QColor backColor() const;
    void setCaption(const QString &c) { setWindowTitle(c); }
    QString caption() const { return windowTitle(); }

    // Hover highlighting. A move over the window background makes the labels of resetRange
    // transparent; with highlight set, a move over a label of the array makes it opaque.
    void declareHighlighting(const ControlArray<ClickLabel> &labels, std::vector<int> resetRange, bool highlight);

    // What a mouse move over the window background does; exposed so that screens with their own
    // mouse-move handling (dragging) can still reset.
    void backgroundMouseMove();

    // The keyboard. Escape does what the screen's "Exit" does; Enter, when the focused control
    // does not take it, what the screen's default button does.
    void setExitButton(ClickLabel *exit);
    void setEscapeAction(std::function<void()> action) { escape_ = std::move(action); }
    void setEnterAction(std::function<void()> action) { enter_ = std::move(action); }
    // The controls Tab, Shift+Tab and the arrows move the focus among, in the order Tab takes them
    // (reading order unless a screen has a better one); Tab never leaves the screen.
    virtual QList<QWidget *> focusStops() const;
    // Gives the keyboard focus to this screen's first control that takes Tab, else to the screen.
    void focusFirstControl();

protected:
    struct TopLevel {};
    // For the stage itself: a window of its own, the parent of every other screen.
    Screen(const QString &objectName, TopLevel);

    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent *event) override;
    virtual void escape();

private:
    struct Highlighting {
        const ControlArray<ClickLabel> *labels;
        std::vector<int> resetRange;
    };
    std::vector<Highlighting> highlighting_;
    std::function<void()> escape_, enter_;
};
