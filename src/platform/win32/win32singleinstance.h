// One copy of Horaloom per logon session: a named mutex.
#pragma once

#include "singleinstance.h"

namespace horaloom {

class Win32SingleInstance : public SingleInstance {
public:
    Win32SingleInstance() = default;
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;
    ~Win32SingleInstance() override;

    // The system closes the mutex with the process, so a killed copy never blocks the next.
    bool anotherIsRunning() override;

private:
    void* m_mutex = nullptr;
};

} // namespace horaloom
