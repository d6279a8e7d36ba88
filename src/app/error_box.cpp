#include "error_box.h"

#include <QMessageBox>

#include <cstdio>

namespace quorvel {

void showErrorBoxAndExit(const RuntimeFailure &failure)
{
    // Standard error first: the message stays on record even if the box cannot be shown.
    writeFailureMessage(stderr, failure);
    QMessageBox::critical(nullptr, QStringLiteral("Quorvel文字検索プログラム"), failure.message());
    exitAfterFailure();
}

} // namespace quorvel
