#include "error_box.h"

#include <QMessageBox>

#include <cstdio>

namespace quorvel {
namespace {

[[noreturn]] void showAndExit(const QString &caption, const RuntimeFailure &failure)
{
    // Standard error first: the message stays on record even if the box cannot be shown.
    writeFailureMessage(stderr, failure);
    QMessageBox::critical(nullptr, caption, failure.message());
    exitAfterFailure();
}

} // namespace

FailureHandler errorBox(const QString &caption)
{
    return [caption](const RuntimeFailure &failure) { showAndExit(caption, failure); };
}

} // namespace quorvel
