// A program that starts as the lookup program does, or as a bare Qt window, and ends as soon as
// its window has been drawn (after one 100-hit lookup with "lookup"): for timing start-up and
// measuring peak memory from outside.
//
// Usage: startup_probe bare|program|lookup <start>, where <start> is the CLOCK_MONOTONIC time in
// nanoseconds at which the caller started the process; the time to the first paint is printed.
#include "demo_data_facts.h"
#include "form1.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

long long startNs = 0;

class EndOnFirstPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            const long long ns = now.tv_sec * 1000000000LL + now.tv_nsec;
            std::printf("%.3f\n", double(ns - startNs) / 1e6);
            std::fflush(stdout);
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char **argv)
{
    startNs = argc > 2 ? std::atoll(argv[2]) : 0;
    QApplication app(argc, argv);
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    const bool lookup = argc > 1 && std::strcmp(argv[1], "lookup") == 0;
    EndOnFirstPaint ender;
    if (bare) {
        QWidget window;
        window.resize(1016, 679);
        window.installEventFilter(&ender);
        window.show();
        return app.exec();
    }
    quorvel::Form1 form;
    if (!quorvel::runGuarded([&] { form.Form_Load(); }))
        return 1;
    if (lookup)
        form.Image1_Click(static_cast<std::int16_t>(quorvel::demo::kCommonElement));
    form.installEventFilter(&ender);
    form.show();
    return app.exec();
}
