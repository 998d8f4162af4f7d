// Decodes the COMPOUND_TEXT that older X programs (Xt, Xaw, Motif) put into WM_NAME.
#pragma once

#include <string>
#include <string_view>

namespace horaloom {

// Compound Text is ISO 2022: ASCII on the left half, Latin-1 on the right half until escape
// sequences switch either half to another character set. Understood: the ISO 8859 right halves,
// TIS-620, the Chinese, Japanese and Korean sets Xlib uses, UTF-8 segments (ESC % G .. ESC % @)
// and extended segments named by their encoding. A character of a set that cannot be
// converted becomes U+FFFD, so the length of the text is kept; the text ends at a zero byte.
std::string decodeCompoundText(std::string_view bytes);

} // namespace horaloom
