// One copy of Horaloom per display (per user where there is no display to claim), and the way a
// later start reaches the copy that runs.
#pragma once

#include <functional>

namespace horaloom {

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // Takes the claim; true when another running copy holds it.
    virtual bool anotherIsRunning() = 0;
    // Asks the copy that holds the claim to show its window in front. Where there is no way to
    // reach it, nothing happens.
    virtual void askOtherToComeForward() = 0;
    // Once the claim is ours: called from the event loop whenever a later start asks.
    virtual void setComeForwardHandler(std::function<void()> handler) = 0;
};

} // namespace horaloom
