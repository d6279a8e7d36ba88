#include "image_control.h"

#include "scaled_picture.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace quorvel {

ImageControl::ImageControl(ImageHost *host, const QString &name, int index, const QRect &geometry,
                           const Look &look)
    : QObject(host), host_(host), index_(index), geometry_(geometry), visible_(look.visible),
      stretch_(look.stretch), borderStyle_(look.borderStyle), appearance_(look.appearance)
{
    setObjectName(name);
    host_->images_.append(this);
}

ImageControl::~ImageControl()
{
    if (host_ != nullptr)
        host_->images_.removeOne(this);
}

void ImageControl::update()
{
    host_->update(geometry_.translated(host_->clientOrigin()));
}

void ImageControl::setPicture(const Picture &picture)
{
    picture_ = picture;
    update();
}

void ImageControl::setPicture(const Picture &picture, const QImage &scaled)
{
    picture_ = picture;
    if (!scaled.isNull()) {
        scaled_ = scaled;
        if (const qreal ratio = host_->devicePixelRatioF(); ratio != 1.0)
            scaled_.setDevicePixelRatio(ratio);
        scaledKey_ = picture.cacheKey();
    }
    update();
}

QSize ImageControl::stretchedSize() const
{
    if (!stretch_)
        return QSize();
    const int b = frameWidth();
    const QSize inner = geometry_.adjusted(b, b, -b, -b).size();
    // In device pixels, as the paint draws it: on a high-density screen too the copy made in advance
    // is the one drawn.
    return inner.isEmpty() ? QSize() : (QSizeF(inner) * host_->devicePixelRatioF()).toSize();
}

void ImageControl::setVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    update();
}

void ImageControl::setStretch(bool stretch)
{
    stretch_ = stretch;
    update();
}

void ImageControl::setBorderStyle(BorderStyle style)
{
    borderStyle_ = style;
    update();
}

void ImageControl::setAppearance(Appearance appearance)
{
    appearance_ = appearance;
    update();
}

bool ImageControl::isShown() const
{
    return visible_ && host_->isVisible();
}

int ImageControl::frameWidth() const
{
    if (borderStyle_ == NoBorder)
        return 0;
    return appearance_ == Flat ? 1 : 2;
}

void ImageControl::paint(QPainter &painter) const
{
    if (borderStyle_ != NoBorder) {
        if (appearance_ == Flat) {
            painter.setPen(host_->palette().color(QPalette::WindowText));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(geometry_.adjusted(0, 0, -1, -1));
        } else {
            qDrawWinPanel(&painter, geometry_, host_->palette(), true);
        }
    }
    if (picture_.isNull())
        return;
    const int b = frameWidth();
    const QRect inner = geometry_.adjusted(b, b, -b, -b);
    if (inner.isEmpty())
        return;
    if (!stretch_) {
        painter.save();
        painter.setClipRect(inner);
        painter.drawImage(inner.topLeft(), picture_);
        painter.restore();
        return;
    }
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSize target = (QSizeF(inner.size()) * ratio).toSize();
    if (scaled_.size() != target || scaledKey_ != picture_.cacheKey()) {
        scaled_ = scaledPicture(picture_, target);
        if (ratio != 1.0)
            scaled_.setDevicePixelRatio(ratio);
        scaledKey_ = picture_.cacheKey();
    }
    painter.drawImage(inner.topLeft(), scaled_);
}

ImageHost::ImageHost(QWidget *parent, Frame frame) : QWidget(parent), frame_(frame) {}

ImageHost::~ImageHost()
{
    const QList<ImageControl *> images = std::exchange(images_, {});
    for (ImageControl *image : images) {
        image->host_ = nullptr;
        delete image;
    }
}

QPoint ImageHost::clientOrigin() const
{
    return frame_ == Frame::Sunken3D ? QPoint(2, 2) : QPoint(0, 0);
}

ImageControl *ImageHost::imageAt(const QPoint &pos) const
{
    const QPoint local = pos - clientOrigin();
    for (auto it = images_.crbegin(); it != images_.crend(); ++it)
        if ((*it)->isVisible() && (*it)->geometry().contains(local))
            return *it;
    return nullptr;
}

void ImageHost::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (frame_ == Frame::Sunken3D)
        qDrawWinPanel(&painter, rect(), palette(), true);
    painter.translate(clientOrigin());
    const QRect dirty = event->rect().translated(-clientOrigin());
    for (const ImageControl *image : images_)
        if (image->isVisible() && image->geometry().intersects(dirty))
            image->paint(painter);
}

void ImageHost::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton ? imageAt(event->position().toPoint()) : nullptr;
}

void ImageHost::mouseReleaseEvent(QMouseEvent *event)
{
    ImageControl *pressed = std::exchange(pressed_, nullptr);
    if (event->button() == Qt::LeftButton && pressed != nullptr &&
        pressed == imageAt(event->position().toPoint()))
        emit pressed->clicked(pressed->index());
}

void ImageHost::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

} // namespace quorvel
