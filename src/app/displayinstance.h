// One Horaloom per X display, brought forward by the next start; one per user elsewhere.
#pragma once

#include "singleinstance.h"

#include <memory>

namespace horaloom {

// On X11 the display claim (whatever XDG_RUNTIME_DIR each copy was given, two copies on one
// display fight over the same titles), with the claim window as the channel a later start uses
// to bring this copy forward. In other sessions, and where the claim cannot be made, the
// per-user lock file.
std::unique_ptr<SingleInstance> makeSingleInstance();

} // namespace horaloom
