// Plain title encodings into clean UTF-8: Latin-1, and UTF-8 as other programs wrote it.
#pragma once

#include <string>
#include <string_view>

namespace horaloom {

// Appends one code point as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// Both stop at the first zero byte, as a title ends there. Invalid UTF-8 (stray bytes,
// overlong forms, surrogates) becomes U+FFFD, so that writing the result back and reading it
// again gives the same text and the same length.
std::string latin1ToUtf8(std::string_view bytes);
std::string cleanUtf8(std::string_view bytes);

} // namespace horaloom
