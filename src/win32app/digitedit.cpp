#include "digitedit.h"

#include "win32text.h"

namespace horaloom {

void DigitEdit::attach(HWND edit, std::function<void(char32_t)> keyPress,
                       std::function<void(const std::string&)> lostFocus)
{
    m_edit = edit;
    m_keyPress = std::move(keyPress);
    m_lostFocus = std::move(lostFocus);
    SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));
}

void DigitEdit::showDigit(const std::wstring& text)
{
    wchar_t shown[8] = {};
    GetWindowTextW(m_edit, shown, 8);
    if (text != shown) {
        SetWindowTextW(m_edit, text.c_str());
    }
}

void DigitEdit::selectContent()
{
    SendMessageW(m_edit, EM_SETSEL, 0, -1);
}

std::string DigitEdit::content() const
{
    const int length = GetWindowTextLengthW(m_edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(m_edit, text.data(), length + 1)));
    return utf8FromWide(text);
}

LRESULT DigitEdit::passOn(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(m_editProc, m_edit, message, wParam, lParam);
}

LRESULT CALLBACK DigitEdit::editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* box = reinterpret_cast<DigitEdit*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    return box->handle(message, wParam, lParam);
}

LRESULT DigitEdit::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: {
        // Return and Escape are characters to refuse like any other, not the window's keys.
        LRESULT code = passOn(message, wParam, lParam);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN &&
            (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE)) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_CHAR: {
        // Every character goes to the presenter, which writes the box itself when it takes
        // one; the clipboard's Ctrl+C, Ctrl+V and Ctrl+X come here as characters 3, 22 and 24.
        const auto unit = static_cast<wchar_t>(wParam);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            m_highSurrogate = unit;
            return 0;
        }
        char32_t character = unit;
        if (unit >= 0xDC00 && unit <= 0xDFFF && m_highSurrogate) {
            character = 0x10000 + ((static_cast<char32_t>(m_highSurrogate) - 0xD800) << 10) +
                        (static_cast<char32_t>(unit) - 0xDC00);
        }
        m_highSurrogate = 0;
        selectContent();
        if (m_keyPress) {
            m_keyPress(character);
        }
        return 0;
    }
    case WM_KEYDOWN:
        // Selected before the key acts, so a typed digit replaces the whole content.
        selectContent();
        return passOn(message, wParam, lParam);
    case WM_KEYUP:
    case WM_SETFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = passOn(message, wParam, lParam);
        selectContent();
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = passOn(message, wParam, lParam);
        if (m_lostFocus) {
            m_lostFocus(content());
        }
        return result;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_editProc));
        return CallWindowProcW(m_editProc, m_edit, message, wParam, lParam);
    default:
        return passOn(message, wParam, lParam);
    }
}

} // namespace horaloom
