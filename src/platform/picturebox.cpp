#include "platform/picturebox.h"

#include "platform/accessibility.h"
#include "platform/paths.h"
#include "platform/twips.h"
#include "platform/wmf/wmfplayer.h"

#include <QImageReader>
#include <QPainter>
#include <cmath>

QImage loadPicture(const QString &relativePath)
{
    const QString file = paths::resolve(relativePath);
    if (file.isEmpty())
        return {};
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

PictureBox::PictureBox(QWidget *parent, bool opaque) : QWidget(parent), opaque_(opaque)
{
    back_ = parent ? parent->palette().color(QPalette::Window) : QColor(Qt::white);
}

bool PictureBox::load(const QString &relativePath)
{
    if (relativePath.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive)) {
        const QString file = paths::resolve(relativePath);
        if (file.isEmpty())
            return false;
        auto m = wmf::load(file);
        if (!m)
            return false;
        metafile_ = std::move(m);
        image_ = QImage();
    } else {
        QImage img = loadPicture(relativePath);
        if (img.isNull())
            return false;
        image_ = std::move(img);
        metafile_.reset();
    }
    source_ = relativePath;
    update();
    // A page's words are its accessible name: a reader hears the new page.
    if (metafile_)
        accessibility::nameChanged(this);
    return true;
}

void PictureBox::setPicture(const QImage &image)
{
    image_ = image;
    metafile_.reset();
    source_.clear();
    update();
}

QSize PictureBox::pictureSize() const
{
    const double f = twips::factor();
    const QSizeF own = metafile_ ? metafile_->sizeAt(96) : QSizeF(image_.size());
    return QSize(int(std::lround(own.width() * f)), int(std::lround(own.height() * f)));
}

const QImage &PictureBox::shownAt(const QSize &size)
{
    if (size == image_.size())
        return image_;
    if (shown_.size() != size || shownKey_ != image_.cacheKey()) {
        shown_ = image_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        shownKey_ = image_.cacheKey();
    }
    return shown_;
}

void PictureBox::setBackColor(const QColor &c)
{
    back_ = c;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (opaque_)
        p.fillRect(rect(), back_);
    if (metafile_) {
        // Vectors: played at the shown size, sharp at any factor.
        const QSizeF own = metafile_->sizeAt(96) * twips::factor();
        wmf::paint(*metafile_, p, stretch_ ? QRectF(rect()) : QRectF(QPointF(0, 0), own));
        return;
    }
    if (image_.isNull())
        return;
    const QSize own = pictureSize();
    if (stretch_) {
        p.drawImage(0, 0, shownAt(size()));
    } else if (fit_ && (own.width() > width() || own.height() > height())) {
        const QSize size = own.scaled(this->size(), Qt::KeepAspectRatio);
        p.drawImage(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), shownAt(size));
    } else {
        p.drawImage(0, 0, shownAt(own));
    }
}
