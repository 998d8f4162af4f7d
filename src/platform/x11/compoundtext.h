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
//
// Written here rather than left to libX11's Xutf8TextPropertyToTextList, which decodes what Xlib
// itself writes alike, but given the cases in titletext_test loses the text of extended
// segments other than big5-0 and gbk-0, passes unknown or cut-off escape sequences and control
// characters into the title as raw bytes, drops a cut-off two-byte character and reads an
// unknown 96-character set as Latin-1. It also needs an Xlib Display: a second connection, whose
// first decode waits for an InternAtom and whose default I/O error handler ends the process.
std::string decodeCompoundText(std::string_view bytes);

} // namespace horaloom
