#include "titletext.h"

namespace horaloom {

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

// The code point of the UTF-8 sequence at the front of text, and its length in bytes;
// length 0 means the front is not a valid sequence.
struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

Decoded decodeUtf8Sequence(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    // Length by the lead byte, with the payload bits it carries and the smallest code point
    // that needs this length (anything below is an overlong form).
    struct Form {
        unsigned char mask, pattern;
        std::size_t length;
        char32_t smallest;
    };
    static constexpr Form forms[] = {
        {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    const Form* form = nullptr;
    for (const Form& candidate : forms) {
        if ((lead & candidate.mask) == candidate.pattern) {
            form = &candidate;
        }
    }
    if (form == nullptr) {
        return {};
    }
    const std::size_t length = form->length;
    const char32_t smallest = form->smallest;
    char32_t codePoint = lead & static_cast<unsigned char>(~form->mask);
    if (text.size() < length) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return {};
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < smallest || codePoint > 0x10FFFF || surrogate) {
        return {};
    }
    return {codePoint, length};
}

} // namespace

void appendUtf8(std::string& out, char32_t codePoint)
{
    auto put = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

std::string latin1ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        if (byte == '\0') {
            break;
        }
        appendUtf8(out, static_cast<unsigned char>(byte));
    }
    return out;
}

std::string cleanUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty() && bytes.front() != '\0') {
        const Decoded decoded = decodeUtf8Sequence(bytes);
        if (decoded.length == 0) {
            appendUtf8(out, replacementCharacter);
            bytes.remove_prefix(1);
        } else {
            out.append(bytes.substr(0, decoded.length));
            bytes.remove_prefix(decoded.length);
        }
    }
    return out;
}

} // namespace horaloom
