#include "gdi.h"

#include "dpi.h"

#include <cmath>
#include <string>
#include <vector>

namespace horaloom {

namespace {

struct MadeFont {
    std::wstring face;
    double points;
    bool bold;
    HFONT font;
};

} // namespace

HFONT designedFont(const wchar_t* face, double points, bool bold)
{
    static std::vector<MadeFont> made;
    for (const MadeFont& font : made) {
        if (font.face == face && font.points == points && font.bold == bold) {
            return font.font;
        }
    }
    LOGFONTW description{};
    // Negative: the em height, as point sizes mean it.
    description.lfHeight = -static_cast<LONG>(std::lround(points * systemDpi() / 72.0));
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(description.lfFaceName, face, LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&description);
    if (!font) {
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    made.push_back({face, points, bold, font});
    return font;
}

HFONT defaultFont()
{
    return designedFont(L"MS Sans Serif", 8, false);
}

HICON clockIcon(int size, COLORREF rim)
{
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
    const HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);

    const int rimWidth = size >= 24 ? size / 10 : 2;
    const int inset = rimWidth / 2;
    const RECT all{0, 0, size, size};

    // The mask: white (transparent) around the face, black where the clock is.
    HGDIOBJ old = SelectObject(dc, mask);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, 0, 0, size, size);

    // The picture: black outside (shown through the mask as transparent), the face, the hands.
    SelectObject(dc, colour);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const HPEN rimPen = CreatePen(PS_SOLID, rimWidth, rim);
    SelectObject(dc, rimPen);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, inset, inset, size - inset, size - inset);
    const HPEN hand = CreatePen(PS_SOLID, size >= 24 ? 2 : 1, RGB(0, 0, 0));
    SelectObject(dc, hand);
    const int c = size / 2;
    MoveToEx(dc, c, c, nullptr);
    LineTo(dc, c - size * 24 / 100, c - size * 13 / 100); // the hour hand, towards 10
    MoveToEx(dc, c, c, nullptr);
    LineTo(dc, c + size * 28 / 100, c - size * 20 / 100); // the minute hand, towards 2
    SelectObject(dc, old);
    DeleteObject(rimPen);
    DeleteObject(hand);
    DeleteDC(dc);

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask;
    info.hbmColor = colour;
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

} // namespace horaloom
