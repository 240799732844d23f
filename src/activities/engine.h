// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drag-and-drop engine every activity screen runs: word labels dragged with the left button,
// dropped onto boxes or back onto their home slots, "Check Score" once every label sits in a box.
// An activity's state is nothing but its labels' positions, kept in single-precision twips; a
// label is in a box exactly when their left and top are equal.
#include "activities/rules.h"
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "ui/screen.h"

#include <QLabel>
#include <vector>

// A label of the activity: a clickable-looking label that reports mouse moves and releases in
// twips relative to itself, with the buttons held.
// A press and release without moving is also a click (clicked), which picks the label up; Enter
// and Space on it do what such a click does.
class DragLabel : public ClickLabel {
    Q_OBJECT
public:
    using ClickLabel::ClickLabel;
    void setLifted(bool lifted);
    bool isLifted() const { return lifted_; }

signals:
    void dragged(int index, Qt::MouseButtons buttons, float x, float y);
    void released(int index);
    void pressed(int index);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool lifted_ = false;
    bool stillPress_ = false;
    QPointF pressAt_;
};

struct ActivityItem {
    QString text;
    float boxLeft, boxTop;
    float homeLeft, homeTop;
    float width, height;
};

struct ActivityLine {
    QPointF from, to;  // twips
};

class Activity : public Screen {
    Q_OBJECT
public:
    Activity(const QString &name, const std::vector<ActivityItem> &items, bool slotTakesHeight);
    void onLoad() override;

    ControlArray<DragLabel> Label2;  // the labels
    ControlArray<ClickLabel> Label1; // the boxes
    ControlArray<ClickLabel> Label4; // the home slots
    ControlArray<ClickLabel> label3; // 0 Exit, 1 Start Again, 2 Check Score
    QLabel *Label6;                  // the title, set by the hub

    int count() const { return labels_.size(); }
    const TwipsRect &labelRect(int i) const { return labels_[i]; }
    const TwipsRect &boxRect(int i) const { return boxes_[i]; }
    const std::vector<TwipsRect> &labels() const { return labels_.all(); }
    const std::vector<TwipsRect> &boxes() const { return boxes_.all(); }
    const TwipsRect &slotRect(int i) const { return slots_[i]; }
    bool inBox(int label, int box) const;

    void Label2_MouseMove(int index, Qt::MouseButtons buttons, float x, float y);
    void Label2_MouseUp(int index);
    void label3_Click(int index);

    // Moving a label without dragging: a click picks it up, a click on a box or a home slot puts
    // it there as a drop with its centre on the target's centre would.
    int lifted() const { return lifted_; }
    void Label2_Click(int index);
    QList<QWidget *> focusStops() const override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void escape() override;
    // What an activity adds to the load: at its start (after the fitting), its pictures (after
    // the slots take their labels' sizes), and at its end.
    virtual void loadBegin() {}
    virtual void loadPictures() {}
    virtual void loadEnd() {}
    // The score "Check Score" counts; one box each by default.
    virtual int countScore() const;

    // Yellow pointer lines, drawn above the screen's pictures and texts, under its labels.
    void addLines(const std::vector<ActivityLine> &lines);
    QLabel *text(const QString &caption, double left, double top, double width, double height, const QString &family, double pt,
                 bool bold, const QColor &colour, Qt::Alignment align);

private:
    void place(QWidget *w, const TwipsRect &r);
    void snap(int index, const TwipsRect &target);
    void labelPressed(int index);
    void lower();
    void putOn(const TwipsRect &target, bool byKeyboard);
    void makeTarget(ClickLabel *target, const TwipsRects &rects, int i);

    int lifted_ = -1;
    bool pressedLifted_ = false;

    std::vector<ActivityItem> items_;
    bool slotTakesHeight_;
    TwipsRects labels_, boxes_, slots_;
};
