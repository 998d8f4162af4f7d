#include "soaktext.h"

#include <array>

namespace horaloom::soak {

namespace {

constexpr char escape = '\x1B';
constexpr char32_t replacement = 0xFFFD;
constexpr char32_t greekAlpha = 0x3B1; // α..ω sit at 0xE1..0xF9 in ISO 8859-7
constexpr char32_t greekOmega = 0x3C9;

void appendUtf8(std::string& out, char32_t c)
{
    const auto put = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (c == strayByte) {
        put(0xFF);
    } else if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

bool isGreek(char32_t c)
{
    return c >= greekAlpha && c <= greekOmega;
}

} // namespace

const char* describe(TitleKind kind)
{
    switch (kind) {
    case TitleKind::Utf8:
        return "UTF-8 _NET_WM_NAME and WM_NAME";
    case TitleKind::Utf8AndLatin1:
        return "UTF-8 _NET_WM_NAME, Latin-1 WM_NAME";
    case TitleKind::Latin1:
        return "Latin-1 WM_NAME only";
    case TitleKind::CompoundText:
        return "COMPOUND_TEXT WM_NAME only";
    case TitleKind::Latin1Twice:
        return "Latin-1 _NET_WM_NAME and WM_NAME";
    case TitleKind::Untitled:
        return "untitled";
    }
    return "?";
}

std::string OwnTitle::shownText() const
{
    std::string out;
    for (const char32_t c : text) {
        appendUtf8(out, c == strayByte ? replacement : c);
    }
    return out;
}

std::string toUtf8(std::u32string_view text)
{
    std::string out;
    for (const char32_t c : text) {
        appendUtf8(out, c);
    }
    return out;
}

std::string toLatin1(std::u32string_view text)
{
    std::string out;
    for (const char32_t c : text) {
        out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    }
    return out;
}

// ASCII on the left half; Latin-1 or Greek on the right half, switched by "ESC - A" and
// "ESC - F"; anything else in a UTF-8 segment.
std::string toCompoundText(std::u32string_view text)
{
    enum class Right { Latin1, Greek, Unknown };
    Right right = Right::Latin1;
    std::string out;
    bool inSegment = false;
    for (const char32_t c : text) {
        const bool plain = c < 0x80 || (c >= 0xA0 && c < 0x100) || isGreek(c);
        if (inSegment && plain) {
            out += "\x1B%@";
            inSegment = false;
            right = Right::Unknown; // designations after a segment are not assumed
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c >= 0xA0 && c < 0x100) {
            if (right != Right::Latin1) {
                out += {escape, '-', 'A'};
                right = Right::Latin1;
            }
            out.push_back(static_cast<char>(c));
        } else if (isGreek(c)) {
            if (right != Right::Greek) {
                out += {escape, '-', 'F'};
                right = Right::Greek;
            }
            out.push_back(static_cast<char>(0xE1 + (c - greekAlpha)));
        } else {
            if (!inSegment) {
                out += "\x1B%G";
                inSegment = true;
            }
            appendUtf8(out, c);
        }
    }
    if (inSegment) {
        out += "\x1B%@";
    }
    return out;
}

int TitleMaker::below(int bound)
{
    return std::uniform_int_distribution<int>(0, bound - 1)(m_random);
}

TitleKind TitleMaker::randomKind(bool untitledToo)
{
    const int roll = below(100);
    if (untitledToo && roll < 6) {
        return TitleKind::Untitled;
    }
    if (roll < 35) {
        return TitleKind::Utf8;
    }
    if (roll < 50) {
        return TitleKind::Utf8AndLatin1;
    }
    if (roll < 70) {
        return TitleKind::Latin1;
    }
    if (roll < 78) {
        return TitleKind::Latin1Twice;
    }
    return TitleKind::CompoundText;
}

int TitleMaker::randomLength()
{
    const int roll = below(100);
    if (roll < 6) {
        return 0;
    }
    if (roll < 75) {
        return 1 + below(30);
    }
    if (roll < 95) {
        return 30 + below(200);
    }
    if (below(20) > 0) {
        return 500 + below(3500);
    }
    return 20000 + below(20000); // past 64 KiB of UTF-8 now and then
}

char32_t TitleMaker::randomCharacter(TitleKind kind)
{
    static constexpr std::array<char32_t, 10> punctuation = {
        0x2013, 0x2014, 0x2026, 0x201C, 0x201D, 0x2022, 0x20AC, 0x2122, 0x00A0, 0x00B7};
    const auto from = [this](char32_t first, char32_t last) {
        return first + static_cast<char32_t>(below(static_cast<int>(last - first + 1)));
    };
    const int roll = below(1000);
    const bool latin1Only = kind == TitleKind::Latin1 || kind == TitleKind::Latin1Twice;
    if (roll < 550 || (latin1Only && roll < 750)) {
        return from(0x20, 0x7E);
    }
    if (roll < 750 || latin1Only) {
        return from(0xA0, 0xFF);
    }
    if (roll < 830) {
        return below(2) == 0 ? from(greekAlpha, greekOmega) : from(0x410, 0x44F); // Cyrillic
    }
    if (roll < 900) {
        return from(0x4E00, 0x9FA5); // CJK ideographs
    }
    if (roll < 950) {
        return from(0x1F600, 0x1F64F); // emoji, outside the BMP
    }
    if (roll < 995 || kind == TitleKind::CompoundText) {
        return punctuation[static_cast<std::size_t>(below(punctuation.size()))];
    }
    return strayByte; // UTF-8 programs only: a broken byte now and then
}

std::u32string TitleMaker::randomText(TitleKind kind, int length)
{
    std::u32string text;
    for (int i = 0; i < length; ++i) {
        text.push_back(randomCharacter(kind));
    }
    return text;
}

void TitleMaker::retitle(OwnTitle& title, std::u32string text) const
{
    const auto as = [](xcb_atom_t type, std::string bytes) {
        return Property{type, 8, std::move(bytes)};
    };
    switch (title.kind) {
    case TitleKind::Utf8:
        title.netWmName = as(m_types.utf8String, toUtf8(text));
        title.wmName = title.netWmName;
        break;
    case TitleKind::Utf8AndLatin1:
        title.netWmName = as(m_types.utf8String, toUtf8(text));
        title.wmName = as(XCB_ATOM_STRING, toLatin1(text));
        break;
    case TitleKind::Latin1:
        title.wmName = as(XCB_ATOM_STRING, toLatin1(text));
        break;
    case TitleKind::CompoundText:
        title.wmName = as(m_types.compoundText, toCompoundText(text));
        break;
    case TitleKind::Latin1Twice:
        title.wmName = as(XCB_ATOM_STRING, toLatin1(text));
        title.netWmName = title.wmName;
        break;
    case TitleKind::Untitled:
        return;
    }
    title.text = std::move(text);
}

} // namespace horaloom::soak
