// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label acting as a button: centred text, a single-line border, and a back colour shown only
// while the label is opaque (the hover highlight). Opaque as designed.
#include <QColor>
#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(int index, const QString &caption, QWidget *parent);

    // A screen's button as the screens design them: Tahoma 15.75 pt bold, placed in twips, named
    // after its control array and index.
    static ClickLabel *button(QWidget *parent, int index, const QString &caption, double left, double top, double width,
                              double height = 495, const QString &array = QStringLiteral("label3"));

    int index() const { return index_; }
    void setOpaque(bool opaque);
    bool isOpaque() const { return opaque_; }
    void setBackColor(const QColor &c);
    QColor backColor() const { return back_; }
    void setForeColor(const QColor &c);
    // What a click does, for the keyboard (Enter, Space) and for Escape on a screen's "Exit".
    void click() { emit clicked(index_); }

signals:
    void clicked(int index);
    void hovered(int index);
    // The label took the keyboard focus; a screen with highlighting lights it as a hover would.
    void focusEntered(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // The keyboard focus ring: light outside, dark inside, so that it shows on every back colour.
    void paintFocusRing(QPainter &p) const;

private:
    int index_;
    bool opaque_ = true;
    bool pressed_ = false;
    QColor back_{0, 0, 0};
};
