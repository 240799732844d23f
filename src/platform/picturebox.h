#pragma once
// Picture and image controls: show a picture file at its own size from the top-left corner
// (clipped by the control), or stretched to the control. A load that fails keeps whatever
// picture was there before and reports false.
#include <QColor>
#include <QImage>
#include <QWidget>

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent, bool opaque = true);

    bool load(const QString &relativePath);
    void setPicture(const QImage &image);
    const QImage &picture() const { return image_; }
    QString source() const { return source_; }

    void setBackColor(const QColor &c);
    QColor backColor() const { return back_; }
    void setStretch(bool stretch) { stretch_ = stretch; update(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage image_;
    QString source_;
    QColor back_;
    bool opaque_;
    bool stretch_ = false;
};

// Decodes a picture named by a relative media path; a null image when it is missing or unreadable.
QImage loadPicture(const QString &relativePath);
