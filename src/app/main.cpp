// The program: the lookup window, created from its layout, started up, shown, then the event loop.
#include "error_box.h"
#include "form1.h"
#include "lookup_texts.h"
#include "runtime_failure.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    quorvel::setFailureHandler(quorvel::errorBox(QString::fromUtf16(quorvel::kMainCaption)));
    quorvel::Form1 form;
    // A failure during start-up ends the program before the window is shown.
    if (!quorvel::runGuarded([&] { form.Form_Load(); }))
        return 1;
    form.show();
    return app.exec();
}
