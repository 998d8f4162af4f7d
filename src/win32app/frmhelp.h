// The Help window, frmHelp: the help text, cyan on black, every line centred.
#pragma once

#include "window.h"

namespace horaloom {

class frmHelp : public Window {
public:
    static constexpr const wchar_t* ClassName = L"Horaloom.frmHelp";
    frmHelp();

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(int id, int code, HWND control) override;
    HBRUSH staticColours(HWND control, HDC dc) override;
    HWND defaultButton() override { return cmdOk; }
    void escapePressed() override { hide(); }

    HWND cmdOk = nullptr;
    HWND Text1 = nullptr;
};

} // namespace horaloom
