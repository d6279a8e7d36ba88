#include "x11_session.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

X11Session::X11Session()
{
    // A display number of this process's own, so that tests may run side by side.
    int number = 200 + static_cast<int>(::getpid() % 500);
    while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    name_ = QStringLiteral(":%1").arg(number);
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_.start(QStringLiteral("Xvfb"), {name_, "-screen", "0", "1600x1200x24", "-nolisten", "tcp"});
    if (!server_.waitForStarted(5000))
        return;
    QElapsedTimer timer;
    timer.start();
    while (display_ == nullptr && timer.elapsed() < 10000) {
        display_ = XOpenDisplay(name_.toLatin1().constData());
        if (display_ == nullptr)
            QThread::msleep(50);
    }
}

X11Session::~X11Session()
{
    if (display_ != nullptr)
        XCloseDisplay(display_);
    server_.terminate();
    server_.waitForFinished(5000);
}

QString X11Session::xdotool(const QStringList &arguments) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), name_);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xdotool"), arguments);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

unsigned long X11Session::findWindow(const QString &caption, int ms) const
{
    QElapsedTimer timer;
    timer.start();
    do {
        const QString found = xdotool({"search", "--onlyvisible", "--name", "^" + caption + "$"});
        if (!found.isEmpty())
            return found.split(u'\n').first().toULong();
        QThread::msleep(50);
    } while (timer.elapsed() < ms);
    return 0;
}

QRect X11Session::geometry(unsigned long window) const
{
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    unsigned int w = 0;
    unsigned int h = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    XGetGeometry(display_, window, &root, &x, &y, &w, &h, &border, &depth);
    XTranslateCoordinates(display_, window, root, 0, 0, &x, &y, &child);
    return QRect(x, y, static_cast<int>(w), static_cast<int>(h));
}

void X11Session::click(const QPoint &screenPos) const
{
    xdotool({"mousemove", "--sync", QString::number(screenPos.x()), QString::number(screenPos.y()), "click",
             "1"});
}

void X11Session::doubleClick(const QPoint &screenPos) const
{
    xdotool({"mousemove", "--sync", QString::number(screenPos.x()), QString::number(screenPos.y()), "click",
             "--repeat", "2", "--delay", "50", "1"});
}

void X11Session::closeWindow(unsigned long window) const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

QImage X11Session::screenshot() const
{
    const Window root = DefaultRootWindow(display_);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, root, &attributes);
    XImage *image = XGetImage(display_, root, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return QImage();
    QImage shot(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
            shot.setPixel(x, y, static_cast<QRgb>(XGetPixel(image, x, y)) | 0xff000000u);
    XDestroyImage(image);
    return shot;
}
