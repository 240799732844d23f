// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture and image controls: show a picture file (.jpg, .gif, .bmp, or a .wmf page drawn by our
// own metafile player, sharp at any scale) at its own size from the top-left corner, clipped by
// the control, or stretched to it. Own sizes are times the twips factor, like every other size. A load that fails keeps whatever picture was there before and
// reports false.
#include "formats/wmf/wmf.h"

#include <QColor>
#include <QImage>
#include <QWidget>
#include <optional>

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent, bool opaque = true);

    bool load(const QString &relativePath);
    // For an animation: names the frame to show. It is decoded at once, at the size it is shown
    // and into a reused image, when some of the control can be seen; a covered or hidden control
    // only remembers the name and decodes it when it is next painted. A frame that cannot be read
    // keeps the picture shown before.
    void showFrame(const QString &relativePath);
    // The frame named last, decoded or not.
    QString frame() const { return frame_; }
    // Whether any of the control can be seen: shown, and not wholly covered by a screen in front.
    bool isSeen() const;
    void setPicture(const QImage &image);
    const QImage &picture() const { return image_; }
    // The metafile shown, when the picture is one.
    const wmf::Metafile *metafile() const { return metafile_ ? &*metafile_ : nullptr; }
    bool isEmpty() const { return image_.isNull() && !metafile_; }
    // The picture's own size in pixels, times the twips factor: the size it is shown at.
    QSize pictureSize() const;
    QString source() const { return source_; }

    void setBackColor(const QColor &c);
    QColor backColor() const { return back_; }
    void setStretch(bool stretch) { stretch_ = stretch; update(); }
    // Scaled down (never up) to fit the control, keeping its shape, centred.
    void setFit(bool fit) { fit_ = fit; update(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool decodeFrame();
    QSize shownSize(QSize own) const;
    // The picture at the size it is drawn, made smooth once per picture and size, not per paint.
    const QImage &shownAt(const QSize &size);

    QImage image_;
    QSize ownSize_;  // the picture's own size in pixels at factor 1, whatever size image_ holds it at
    QImage shown_;
    qint64 shownKey_ = 0;
    std::optional<wmf::Metafile> metafile_;
    QString source_;
    QString frame_;
    QString tried_;  // the frame last decoded or found unreadable
    QImage spare_;  // the other buffer frames are decoded into, so a bad frame never tears the shown one
    QColor back_;
    bool opaque_;
    bool stretch_ = false;
    bool fit_ = false;
};

// Decodes a picture named by a relative media path; a null image when it is missing or unreadable.
QImage loadPicture(const QString &relativePath);
