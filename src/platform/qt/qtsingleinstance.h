// One copy per user: a lock file in the per-user runtime directory. For sessions without a
// display to claim (Wayland, offscreen).
#pragma once

#include "singleinstance.h"

#include <QLockFile>
#include <memory>

namespace horaloom {

class QtSingleInstance : public SingleInstance {
public:
    bool anotherIsRunning() override;
    // A lock file carries no messages: the other copy cannot be reached, and a later start only
    // says that it runs.
    void askOtherToComeForward() override {}
    void setComeForwardHandler(std::function<void()>) override {}

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace horaloom
