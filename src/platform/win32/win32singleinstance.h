// One copy of Horaloom per logon session: a named mutex. A later start reaches the running copy
// through a message-only window of its own, which asks nothing but "come forward".
#pragma once

#include "singleinstance.h"

#include <functional>

namespace horaloom {

class Win32SingleInstance : public SingleInstance {
public:
    Win32SingleInstance() = default;
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;
    ~Win32SingleInstance() override;

    // The system closes the mutex with the process, so a killed copy never blocks the next.
    bool anotherIsRunning() override;
    void askOtherToComeForward() override;
    void setComeForwardHandler(std::function<void()> handler) override;

private:
    void* m_mutex = nullptr;
    void* m_listener = nullptr; // the message-only window, once the claim is ours
    std::function<void()> m_comeForward;
};

} // namespace horaloom
