#include "platform/picturebox.h"

#include "platform/paths.h"

#include <QImageReader>
#include <QPainter>

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
    QImage img = loadPicture(relativePath);
    if (img.isNull())
        return false;
    image_ = std::move(img);
    source_ = relativePath;
    update();
    return true;
}

void PictureBox::setPicture(const QImage &image)
{
    image_ = image;
    source_.clear();
    update();
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
    if (image_.isNull())
        return;
    if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), image_);
    } else {
        p.drawImage(0, 0, image_);
    }
}
