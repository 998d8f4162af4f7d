#include "win32singleinstance.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace horaloom {

Win32SingleInstance::~Win32SingleInstance()
{
    if (m_mutex) {
        CloseHandle(m_mutex);
    }
}

bool Win32SingleInstance::anotherIsRunning()
{
    // "Local\": one per logon session, so another user on the same machine runs a copy too.
    m_mutex = CreateMutexW(nullptr, FALSE, L"Local\\Horaloom.SingleInstance");
    const DWORD error = GetLastError();
    if (!m_mutex) {
        // Access denied: the name is held, by a copy running with other rights.
        return error == ERROR_ACCESS_DENIED;
    }
    return error == ERROR_ALREADY_EXISTS;
}

} // namespace horaloom
