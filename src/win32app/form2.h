// The About window, Form2: the program's name and version, white on black.
#pragma once

#include "window.h"

namespace horaloom {

class Form2 : public Window {
public:
    static constexpr const wchar_t* ClassName = L"Horaloom.Form2";
    Form2();

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(int id, int code, HWND control) override;
    HBRUSH staticColours(HWND control, HDC dc) override;
    HWND defaultButton() override { return cmdOK; }
    void escapePressed() override { hide(); }

    HWND cmdOK = nullptr;
};

} // namespace horaloom
