// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picturebox.h"

#include "ui/accessibility.h"
#include "services/logging.h"
#include "services/paths.h"
#include "ui/twips.h"
#include "formats/wmf/wmfplayer.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <cmath>

namespace {
// Below 50, Qt's JPEG reader trades a little detail for a much cheaper decode.
constexpr int kFastDecodeQuality = 49;

// The format named by the file's first bytes, whatever its name says; empty when they name none
// of ours. Told this way, the reader loads only the one decoder it needs instead of asking each
// in turn, which before the title screen's first paint costs more than decoding its picture.
QByteArray formatOf(QFile &file)
{
    const QByteArray head = file.peek(4);
    if (head.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (head.startsWith("GIF8"))
        return "gif";
    if (head.startsWith("BM"))
        return "bmp";
    return {};
}

// The device must outlive the reader's use.
void openReader(QImageReader &reader, QFile &device)
{
    QByteArray format;
    if (device.open(QIODevice::ReadOnly))
        format = formatOf(device);
    reader.setDevice(&device);
    if (format.isEmpty())
        reader.setDecideFormatFromContent(true);
    else
        reader.setFormat(format);
}

}  // namespace

QImage loadPicture(const QString &relativePath)
{
    const QString file = paths::resolve(relativePath);
    if (file.isEmpty()) {
        qCWarning(lcMedia, "picture %s not found in %s", qPrintable(relativePath), qPrintable(paths::dataDir()));
        return {};
    }
    QFile device(file);
    QImageReader reader;
    openReader(reader, device);
    QImage img = reader.read();
    if (img.isNull())
        qCWarning(lcMedia, "picture %s not loaded: %s", qPrintable(file), qPrintable(reader.errorString()));
    return img;
}

PictureBox::PictureBox(QWidget *parent, bool opaque) : QWidget(parent), opaque_(opaque)
{
    back_ = parent ? parent->palette().color(QPalette::Window) : QColor(Qt::white);
}

bool PictureBox::load(const QString &relativePath)
{
    if (relativePath.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive)) {
        const QString file = paths::resolve(relativePath);
        if (file.isEmpty()) {
            qCWarning(lcMedia, "picture %s not found in %s", qPrintable(relativePath), qPrintable(paths::dataDir()));
            return false;
        }
        auto m = wmf::load(file);
        if (!m) {
            qCWarning(lcMedia, "picture %s not loaded: %s", qPrintable(file), qPrintable(m.error()));
            return false;
        }
        metafile_ = std::move(*m);
        image_ = QImage();
    } else {
        QImage img = loadPicture(relativePath);
        if (img.isNull())
            return false;
        image_ = std::move(img);
        ownSize_ = image_.size();
        metafile_.reset();
    }
    source_ = frame_ = tried_ = relativePath;
    update();
    // A page's words are its accessible name: a reader hears the new page.
    if (metafile_)
        accessibility::nameChanged(this);
    return true;
}

void PictureBox::showFrame(const QString &relativePath)
{
    frame_ = relativePath;
    if (isSeen() && decodeFrame())
        update();
}

bool PictureBox::isSeen() const
{
    // Qt's own answer to "where can paint events occur": empty when hidden or when opaque screens
    // stacked in front cover the whole control.
    return !visibleRegion().isEmpty();
}

QSize PictureBox::shownSize(QSize own) const
{
    if (stretch_)
        return size();
    const double f = twips::factor();
    return QSize(int(std::lround(own.width() * f)), int(std::lround(own.height() * f)));
}

bool PictureBox::decodeFrame()
{
    // Each name is tried once: a missing frame is not looked for again at every paint.
    if (frame_.isEmpty() || frame_ == tried_)
        return false;
    const QString wanted = tried_ = frame_;
    const QString file = paths::resolve(wanted);
    if (file.isEmpty())
        return false;
    QFile device(file);
    QImageReader reader;
    openReader(reader, device);
    const QSize own = reader.size();
    const QSize shown = shownSize(own);
    // JPEG decodes straight to a smaller size for far less work than decoding in full and scaling.
    if (own.isValid() && shown.isValid() && shown != own)
        reader.setScaledSize(shown);
    // An animation frame is on show for a twentieth of a second: the fast JPEG decoding (integer
    // transform, plain chroma upsampling) is worth its slight loss of fine detail.
    reader.setQuality(kFastDecodeQuality);
    // Decoding into an image of the same size and format reuses its pixels: no allocation a frame.
    if (!reader.read(&spare_))
        return false;
    std::swap(image_, spare_);
    ownSize_ = own.isValid() ? own : image_.size();
    metafile_.reset();
    source_ = wanted;
    // A frame that fills the control hides whatever lies under it: nothing there need be painted
    // first at every frame.
    const bool fills = !image_.hasAlphaChannel() && (stretch_ || (!fit_ && image_.width() >= width() && image_.height() >= height()));
    setAttribute(Qt::WA_OpaquePaintEvent, opaque_ || fills);
    return true;
}

void PictureBox::setPicture(const QImage &image)
{
    image_ = image;
    ownSize_ = image_.size();
    metafile_.reset();
    source_.clear();
    frame_.clear();
    tried_.clear();
    update();
}

QSize PictureBox::pictureSize() const
{
    const double f = twips::factor();
    // A frame may be decoded at the size it is shown already: its own size is the file's.
    const QSizeF own = metafile_ ? metafile_->sizeAt(96) : QSizeF(ownSize_);
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
    // A frame named while the control was covered or hidden is decoded now that it is painted.
    decodeFrame();
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
