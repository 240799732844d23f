// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stage: the program's one top-level window, frameless and full screen. Every other screen is
// its child, shown centred and stacked in the order screens are shown or brought to the front, so
// no window manager or compositor can place, decorate, hide or raise anything between them.
#include "ui/screen.h"

#include <QPointer>
#include <map>
#include <optional>

// How large the stage draws its screens: "fit" (the largest factor at which a 12000 x 9000 twips
// screen fits the stage, never below actual size) or a fixed factor.
namespace stagescale {
// QUILLMOOR_SCALE's value: "fit" gives 0 (fit), a number from 0.25 to 8 gives that factor,
// anything else nothing.
std::optional<double> parse(const QString &value);
double fitFactor(const QSize &stage);
}  // namespace stagescale

class Stage : public Screen {
    Q_OBJECT
public:
    explicit Stage(const QString &objectName);
    ~Stage() override;

    // Showing the stage: the first time it goes full screen; once up, its backdrop comes in front
    // of every screen shown so far, so the next screen shown stands alone on it.
    void present();
    // Shows a screen, raises it over every other and gives it the keyboard focus.
    void bringToFront(Screen *s);

    // The screen in front (the topmost one shown), or none.
    Screen *frontScreen() const;
    // The shown screens, bottom to top, the backdrop counted where it stands (as nullptr).
    std::vector<Screen *> stackingOrder() const;
    // Moves the keyboard focus into the front screen unless it is there already.
    void focusFrontScreen();

    // F11: between "fit" and "actual size" (or the factor QUILLMOOR_SCALE chose); nothing is stored.
    void toggleFit();
    bool fitting() const { return fitting_; }

    // Width of the edge drawn round each screen, outside it, in pixels.
    static constexpr int kEdgeWidth = 2;

protected:
    // The window manager's close (Alt+F4, the task bar's close) and nothing else comes here.
    virtual void closeRequested() {}

    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showStage();
    void syncEdge(Screen *s);
    QWidget *edgeFor(Screen *s);
    // Tells a screen reader when the screen in front changes.
    void noteFront();
    // Sets the twips factor and draws every screen again at it, each kept centred where it was.
    void applyFactor(double f);
    void refit();
    void scaleOwnFont();

    QWidget *backdrop_;
    std::map<Screen *, QPointer<QWidget>> edges_;
    int baseFontPx_ = 0;  // the application's font at actual size, for controls without their own
    bool fitting_ = true;
    double fixed_ = 1.0;  // the factor when not fitting
    QPointer<Screen> front_;  // as last told to a screen reader
};
