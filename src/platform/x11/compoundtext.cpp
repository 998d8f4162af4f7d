#include "compoundtext.h"

#include "titletext.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <map>

namespace horaloom {

namespace {

constexpr char escape = 0x1B;
constexpr unsigned char controlSequenceIntroducer = 0x9B;
constexpr char32_t replacementCharacter = 0xFFFD;

// What one half of the code table holds at the moment.
struct Charset {
    std::string iconvName; // empty: ASCII on the left half, Latin-1 on the right half
    int width = 1;         // bytes per character
    char prefix = 0;       // EUC single shift that selects the set, if any
    bool known = true;
};

const Charset identity{};

// Final byte of "ESC - F": 96-character sets for the right half.
Charset charset96(char final)
{
    static const std::map<char, const char*> sets = {
        {'A', ""},
        {'B', "ISO-8859-2"},
        {'C', "ISO-8859-3"},
        {'D', "ISO-8859-4"},
        {'F', "ISO-8859-7"},
        {'G', "ISO-8859-6"},
        {'H', "ISO-8859-8"},
        {'L', "ISO-8859-5"},
        {'M', "ISO-8859-9"},
        {'T', "TIS-620"},
        {'V', "ISO-8859-10"},
        {'Y', "ISO-8859-13"},
        {'_', "ISO-8859-14"},
        {'b', "ISO-8859-15"},
        {'f', "ISO-8859-16"},
    };
    const auto found = sets.find(final);
    if (found == sets.end()) {
        return {"", 1, 0, false};
    }
    return {found->second, 1, 0, true};
}

// Final byte of "ESC ( F" or "ESC ) F": 94-character sets.
Charset charset94(char final)
{
    if (final == 'B' || final == 'J') { // ASCII, and JIS Roman, which differs in two glyphs
        return identity;
    }
    if (final == 'I') { // JIS X 0201 katakana
        return {"EUC-JP", 1, '\x8E', true};
    }
    return {"", 1, 0, false};
}

// Final byte of "ESC $ ( F" or "ESC $ ) F": two-byte sets, converted in their EUC form.
Charset charset94x94(char final)
{
    switch (final) {
    case 'A':
        return {"EUC-CN", 2, 0, true};
    case 'B':
        return {"EUC-JP", 2, 0, true};
    case 'C':
        return {"EUC-KR", 2, 0, true};
    case 'D':
        return {"EUC-JP", 2, '\x8F', true};
    default:
        return {"", 2, 0, false};
    }
}

// An iconv conversion into UTF-8, closed with its owner.
class Converter {
public:
    explicit Converter(const std::string& from) : m_handle(iconv_open("UTF-8", from.c_str())) {}
    ~Converter()
    {
        if (valid()) {
            iconv_close(m_handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole of input or nothing.
    bool convert(std::string input, std::string& out)
    {
        if (!valid()) {
            return false;
        }
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char buffer[64];
        char* in = input.data();
        std::size_t inLeft = input.size();
        std::string converted;
        while (inLeft > 0) {
            char* outPosition = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(m_handle, &in, &inLeft, &outPosition, &outLeft);
            converted.append(buffer, outPosition);
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return false;
            }
        }
        out += cleanUtf8(converted);
        return true;
    }

private:
    bool valid() const { return m_handle != reinterpret_cast<iconv_t>(std::intptr_t{-1}); }

    iconv_t m_handle;
};

class Decoder {
public:
    explicit Decoder(std::string_view bytes) : m_rest(bytes) {}

    std::string run()
    {
        while (!m_rest.empty() && m_rest.front() != '\0') {
            const auto byte = static_cast<unsigned char>(m_rest.front());
            if (byte == static_cast<unsigned char>(escape)) {
                escapeSequence();
            } else if (byte == controlSequenceIntroducer) {
                skipControlSequence();
            } else if (byte == '\t' || byte == '\n' || byte == ' ') {
                m_out.push_back(static_cast<char>(byte));
                m_rest.remove_prefix(1);
            } else if ((byte > 0x20 && byte < 0x7F) || byte >= 0xA0) {
                character(byte >= 0x80 ? m_right : m_left);
            } else {
                m_rest.remove_prefix(1); // other control characters carry no text
            }
        }
        return std::move(m_out);
    }

private:
    void character(const Charset& set)
    {
        const auto width = static_cast<std::size_t>(set.width);
        if (m_rest.size() < width) {
            m_rest = {};
            appendUtf8(m_out, replacementCharacter);
            return;
        }
        std::string encoded;
        if (set.prefix != 0) {
            encoded.push_back(set.prefix);
        }
        for (std::size_t i = 0; i < width; ++i) {
            encoded.push_back(static_cast<char>(m_rest[i] | 0x80)); // EUC and ISO 8859 form
        }
        m_rest.remove_prefix(width);
        if (!set.known) {
            appendUtf8(m_out, replacementCharacter);
        } else if (set.iconvName.empty()) {
            const auto single = static_cast<unsigned char>(encoded.back());
            appendUtf8(m_out, &set == &m_left ? single & 0x7F : single);
        } else if (!converter(set.iconvName).convert(encoded, m_out)) {
            appendUtf8(m_out, replacementCharacter);
        }
    }

    void escapeSequence()
    {
        // ESC, intermediate bytes 0x20..0x2F, one final byte 0x30..0x7E.
        std::size_t end = 1;
        while (end < m_rest.size() && m_rest[end] >= 0x20 && m_rest[end] <= 0x2F) {
            ++end;
        }
        if (end >= m_rest.size()) {
            m_rest = {};
            return;
        }
        const std::string_view intermediates = m_rest.substr(1, end - 1);
        const char final = m_rest[end];
        m_rest.remove_prefix(end + 1);
        if (intermediates == "(") {
            m_left = charset94(final);
        } else if (intermediates == ")") {
            m_right = charset94(final);
        } else if (intermediates == "-") {
            m_right = charset96(final);
        } else if (intermediates == "$(" ||
                   (intermediates == "$" && final >= 'A' && final <= 'C')) {
            m_left = charset94x94(final);
        } else if (intermediates == "$)") {
            m_right = charset94x94(final);
        } else if (intermediates == "%" && final == 'G') {
            utf8Segment();
        } else if (intermediates == "%/" && final >= '0' && final <= '4') {
            extendedSegment();
        }
        // Anything else (direction, unknown designations) is skipped; the text goes on.
    }

    void utf8Segment()
    {
        const std::size_t end = m_rest.find("\x1B%@");
        m_out += cleanUtf8(m_rest.substr(0, end));
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 3);
    }

    // ESC % / F M L, then M L bytes: the encoding's name, STX, and text in that encoding.
    void extendedSegment()
    {
        if (m_rest.size() < 2) {
            m_rest = {};
            return;
        }
        const std::size_t length = (static_cast<std::size_t>(m_rest[0] & 0x7F) << 7) |
                                   static_cast<std::size_t>(m_rest[1] & 0x7F);
        const std::string_view segment = m_rest.substr(2, length);
        m_rest.remove_prefix(std::min(m_rest.size(), length + 2));
        const std::size_t nameEnd = segment.find('\x02');
        if (nameEnd == std::string_view::npos) {
            return;
        }
        std::string name(segment.substr(0, nameEnd));
        if (name == "iso10646-1" || name == "ISO10646-1") {
            name = "UCS-2BE";
        } else if (name.ends_with("-0")) {
            name.resize(name.size() - 2); // "big5-0" is iconv's "big5"
        }
        if (!converter(name).convert(std::string(segment.substr(nameEnd + 1)), m_out)) {
            appendUtf8(m_out, replacementCharacter);
        }
    }

    void skipControlSequence()
    {
        std::size_t end = 1;
        while (end < m_rest.size() && (m_rest[end] < 0x40 || m_rest[end] > 0x7E)) {
            ++end;
        }
        m_rest.remove_prefix(std::min(m_rest.size(), end + 1));
    }

    Converter& converter(const std::string& name)
    {
        return m_converters.try_emplace(name, name).first->second;
    }

    std::string_view m_rest;
    std::string m_out;
    Charset m_left = identity;
    Charset m_right = identity;
    std::map<std::string, Converter> m_converters;
};

} // namespace

std::string decodeCompoundText(std::string_view bytes)
{
    return Decoder(bytes).run();
}

} // namespace horaloom
