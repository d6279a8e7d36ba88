// The program: the lookup window, created from its layout, started up, shown, then the event loop.
#include "font_warm_up.h"
#include "form1.h"
#include "runtime_failure.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // Started first, so that the fonts are ready by the time the window lays out its first text;
    // it is finished with before the application goes.
    auto fonts = std::make_unique<quorvel::FontWarmUp>();
    QApplication app(argc, argv);
    fonts->applicationReady();
    const int status = [&] {
        quorvel::Form1 form;
        // A failure during start-up ends the program before the window is shown.
        if (!quorvel::runGuarded([&] { form.Form_Load(); }))
            return 1;
        form.show();
        return app.exec();
    }();
    fonts.reset();
    return status;
}
