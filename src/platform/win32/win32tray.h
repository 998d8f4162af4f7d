// The tray icon through Shell_NotifyIconW, with a hidden window of its own for the shell's
// callback messages.
#pragma once

#include "traycomponent.h"

#include <windows.h>

#include <shellapi.h> // after windows.h, whose types it uses

#include <string>

namespace horaloom {

class Win32Tray : public TrayComponent {
public:
    // The icon stays the caller's; the tooltip is cut to what the shell shows (127 units).
    Win32Tray(HICON icon, std::wstring toolTip);
    Win32Tray(const Win32Tray&) = delete;
    Win32Tray& operator=(const Win32Tray&) = delete;
    ~Win32Tray() override;

    // Adds the icon; without a task bar yet, it is added when one announces itself.
    bool startup() override;
    bool query() override;
    void action() override;
    void notify(const std::string& title, const std::string& message) override;
    void setMouseReleaseHandler(std::function<void(int button)> handler) override;
    bool available() override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    NOTIFYICONDATAW iconData(UINT flags) const;
    bool add();

    HICON m_icon;
    std::wstring m_toolTip;
    HWND m_window = nullptr;
    UINT m_taskbarCreated = 0;
    bool m_added = false;
    bool m_notificationShown = false;
    std::function<void(int)> m_handler;
};

} // namespace horaloom
