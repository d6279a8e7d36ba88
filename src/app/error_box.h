#pragma once

#include "runtime_failure.h"

#include <QString>

namespace quorvel {

// The failure path of the desktop program: the message on standard error, then the error box with
// `caption` (the program's main caption), then exit status 1. main installs it with
// setFailureHandler once the application object exists.
FailureHandler errorBox(const QString &caption);

// The same with the caption written here; main uses it until it hands in the lookup window's
// caption through errorBox.
[[noreturn]] void showErrorBoxAndExit(const RuntimeFailure &failure);

} // namespace quorvel
