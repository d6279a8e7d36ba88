#pragma once

#include "gif_picture.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QWidget>

namespace quorvel {

class ImageHost;

// The classic image control: a windowless picture drawn and hit-tested by its container, with
// five look attributes: picture, visible flag, stretch, frame (border style) and appearance.
class ImageControl : public QObject {
    Q_OBJECT

public:
    // The frame (border style) and the appearance, which only shows in a frame: flat draws a
    // one-pixel line, three-dimensional a sunken panel. The enumerators are also named at class
    // scope (ImageControl::ThreeD), as the layout tables write them.
    enum class BorderStyle { NoBorder, FixedSingle };
    Q_ENUM(BorderStyle)
    using enum BorderStyle;
    enum class Appearance { Flat, ThreeD };
    Q_ENUM(Appearance)
    using enum Appearance;

    struct Look {
        bool stretch = true;
        BorderStyle borderStyle = NoBorder;
        Appearance appearance = Flat;
        bool visible = true;
    };

    ImageControl(ImageHost *host, const QString &name, int index, const QRect &geometry, const Look &look);
    ~ImageControl() override;

    int index() const { return index_; }
    QRect geometry() const { return geometry_; }
    ImageHost *host() const { return host_; }

    const Picture &picture() const { return picture_; }
    void setPicture(const Picture &picture);
    // The same, with the picture already scaled (by scaledPicture) to what the control draws it
    // at: the paint then only copies it.
    void setPicture(const Picture &picture, const QImage &scaled);
    // The size a stretched picture is drawn at, inside the frame; empty when it does not stretch.
    QSize stretchedSize() const;
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);
    bool stretch() const { return stretch_; }
    void setStretch(bool stretch);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);
    Appearance appearance() const { return appearance_; }
    void setAppearance(Appearance appearance);

    // Whether a person can see it: it and its container are visible.
    bool isShown() const;

    void paint(QPainter &painter) const;

signals:
    void clicked(int index);

private:
    friend class ImageHost;
    // Schedules a repaint of the control's area of its container.
    void update();
    int frameWidth() const;

    ImageHost *host_;
    int index_;
    QRect geometry_;
    Picture picture_;
    bool visible_;
    bool stretch_;
    BorderStyle borderStyle_;
    Appearance appearance_;

    // The picture scaled to the control, kept until the picture or the size changes.
    mutable QImage scaled_;
    mutable qint64 scaledKey_ = 0;
};

// A container that draws its image controls and turns a click into the click of the topmost
// visible image under the pointer. `frame` gives it the sunken frame of a picture box.
class ImageHost : public QWidget {
    Q_OBJECT

public:
    enum class Frame { None, Sunken3D };

    explicit ImageHost(QWidget *parent, Frame frame = Frame::None);
    ~ImageHost() override;

    // Where the image controls' coordinates start, inside the frame.
    QPoint clientOrigin() const;
    const QList<ImageControl *> &images() const { return images_; }
    ImageControl *imageAt(const QPoint &pos) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // The second press of a double-click: the classic control raises no second click for it.
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    friend class ImageControl;

    Frame frame_;
    QList<ImageControl *> images_;
    ImageControl *pressed_ = nullptr;
};

} // namespace quorvel
