// SIGTERM, SIGINT and SIGHUP end Horaloom cleanly: the decorated window gets its title back.
#pragma once

#include <functional>

namespace horaloom {

// Runs onSignal on the event loop (never inside the signal handler) when one of the signals
// arrives. Does nothing on platforms without POSIX signals.
void installSignalGuard(std::function<void()> onSignal);

} // namespace horaloom
