// Other programs' titles for the soak: random texts, and the properties each kind of program
// puts them in.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <xcb/xcb.h>

namespace horaloom::soak {

// One property's value as the server holds it.
struct Property {
    xcb_atom_t type = XCB_NONE;
    std::uint8_t format = 8;
    std::string bytes;

    bool operator==(const Property&) const = default;
};

// How a program titles its window. Each sets only its own properties and never deletes any.
enum class TitleKind {
    Utf8,          // _NET_WM_NAME and WM_NAME, both UTF8_STRING (Qt)
    Utf8AndLatin1, // _NET_WM_NAME UTF8_STRING, WM_NAME STRING with '?' for the rest
    Latin1,        // WM_NAME STRING only (XStoreName)
    CompoundText,  // WM_NAME COMPOUND_TEXT only (Xt, Motif)
    Latin1Twice,   // _NET_WM_NAME and WM_NAME both STRING (xdotool set-window --name)
    Untitled,      // nothing until its first title, which comes in one of the kinds above
};

const char* describe(TitleKind kind);

// A code point that stands for a byte that is not UTF-8 (0xFF); readers see U+FFFD.
constexpr char32_t strayByte = 0x110000;

// A window's own title as its program last set it.
struct OwnTitle {
    TitleKind kind = TitleKind::Untitled;
    std::u32string text;
    std::optional<Property> netWmName;
    std::optional<Property> wmName;

    // The text as a reader of the title sees it, in UTF-8.
    std::string shownText() const;
    int length() const { return static_cast<int>(text.size()); }
};

struct TypeAtoms {
    xcb_atom_t utf8String = XCB_NONE;
    xcb_atom_t compoundText = XCB_NONE;
};

class TitleMaker {
public:
    TitleMaker(std::mt19937_64& random, TypeAtoms types) : m_random(random), m_types(types) {}

    TitleKind randomKind(bool untitledToo);
    // Mostly short, sometimes empty, now and then long.
    int randomLength();
    // length characters that a program of this kind can put into its title.
    std::u32string randomText(TitleKind kind, int length);

    // The program sets text as its title: its kind's properties change, any others stay. An
    // untitled window's kind must be chosen first.
    void retitle(OwnTitle& title, std::u32string text) const;

private:
    char32_t randomCharacter(TitleKind kind);
    int below(int bound);

    std::mt19937_64& m_random;
    TypeAtoms m_types;
};

std::string toUtf8(std::u32string_view text);
std::string toLatin1(std::u32string_view text); // '?' where Latin-1 has no character
std::string toCompoundText(std::u32string_view text);

} // namespace horaloom::soak
