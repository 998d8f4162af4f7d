// A signal that would end Horaloom ends it cleanly instead: the decorated window gets its title
// back. TERM, INT, HUP and every other signal that ends a process by default; see the list.
#pragma once

#include <functional>

namespace horaloom {

// Runs onSignal on the event loop (never inside the signal handler) when one of the signals
// arrives. Does nothing on platforms without POSIX signals.
void installSignalGuard(std::function<void()> onSignal);

} // namespace horaloom
