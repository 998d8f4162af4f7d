#include "win32messageboxes.h"

#include "win32text.h"

#include <windows.h>

#include <string>

namespace horaloom {

namespace {

std::wstring boxText(const std::string& utf8)
{
    return wideFromUtf8(utf8);
}

// The Help button: the details travel in the box's help context, as a pointer to the text.
void CALLBACK showDetails(LPHELPINFO help)
{
    const auto* details = reinterpret_cast<const std::wstring*>(help->dwContextId);
    if (details) {
        MessageBoxW(GetActiveWindow(), details->c_str(), L"Horaloom", MB_OK | MB_ICONINFORMATION);
    }
}

} // namespace

int Win32MessageBoxes::show(const Message& message)
{
    const std::wstring text = boxText(message.text);
    const std::wstring title = boxText(message.title);
    const std::wstring details = boxText(message.details);

    // Without an owner, MB_TASKMODAL disables every window of the thread while the box waits,
    // as a modal box of the program's always has; the timers go on firing meanwhile.
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hInstance = GetModuleHandleW(nullptr);
    box.lpszText = text.c_str();
    box.lpszCaption = title.c_str();
    box.dwStyle = static_cast<DWORD>(message.style) | MB_TASKMODAL | MB_SETFOREGROUND;
    if (!details.empty()) {
        box.dwStyle |= MB_HELP;
        box.dwContextHelpId = reinterpret_cast<DWORD_PTR>(&details);
        box.lpfnMsgBoxCallback = showDetails;
    }
    switch (MessageBoxIndirectW(&box)) {
    case IDYES:
        return MsgBox::Yes;
    case IDNO:
        return MsgBox::No;
    default:
        return MsgBox::Ok;
    }
}

} // namespace horaloom
