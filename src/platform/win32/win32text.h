// Text at the Windows API: the wide strings the W functions take, from and to the program's
// UTF-8 texts and the ANSI-code-page bytes its paths are held in.
#pragma once

#include <string>
#include <string_view>

namespace horaloom {

// Malformed UTF-8 becomes U+FFFD; a lone surrogate comes back as U+FFFD, one for one.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

// A path's bytes in the ANSI code page, as a narrow call would take them.
std::wstring wideFromAnsi(std::string_view bytes);
// Empty when the text has a character the code page lacks: such a path could not be handed
// back to the system by its bytes.
std::string ansiFromWide(std::wstring_view text);

// The system's words for an error code, as UTF-8, without the trailing line break.
std::string systemMessage(unsigned long error);

} // namespace horaloom
