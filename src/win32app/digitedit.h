// One of the six digit boxes: an EDIT control whose typed characters go to the presenter
// instead of into the box, and whose whole content is selected whenever it is touched.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace horaloom {

class DigitEdit {
public:
    // keyPress gets every typed character (the presenter writes the box if it takes it);
    // lostFocus gets the box's content (UTF-8) when the focus leaves it.
    void attach(HWND edit, std::function<void(char32_t)> keyPress,
                std::function<void(const std::string&)> lostFocus);
    HWND handle() const { return m_edit; }

    void showDigit(const std::wstring& text);

private:
    static LRESULT CALLBACK editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT passOn(UINT message, WPARAM wParam, LPARAM lParam);
    void selectContent();
    std::string content() const;

    HWND m_edit = nullptr;
    WNDPROC m_editProc = nullptr;
    wchar_t m_highSurrogate = 0;
    std::function<void(char32_t)> m_keyPress;
    std::function<void(const std::string&)> m_lostFocus;
};

} // namespace horaloom
