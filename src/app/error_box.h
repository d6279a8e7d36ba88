#pragma once

#include "runtime_failure.h"

namespace quorvel {

// The failure path of the desktop program: the message on standard error, then the error box, then
// exit status 1. main installs it with setFailureHandler once the application object exists.
[[noreturn]] void showErrorBoxAndExit(const RuntimeFailure &failure);

} // namespace quorvel
