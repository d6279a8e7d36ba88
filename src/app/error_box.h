#pragma once

#include "runtime_failure.h"

#include <QString>

namespace quorvel {

// The failure path of the desktop program: the message on standard error, then the error box with
// `caption` (the program's main caption), then exit status 1. main installs it with
// setFailureHandler once the application object exists.
FailureHandler errorBox(const QString &caption);

} // namespace quorvel
