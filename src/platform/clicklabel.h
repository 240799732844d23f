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

signals:
    void clicked(int index);
    void hovered(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    int index_;
    bool opaque_ = true;
    bool pressed_ = false;
    QColor back_{0, 0, 0};
};
