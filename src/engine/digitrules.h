// Which characters a digit box takes, and what it stores when it loses the focus.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace horaloom {

// A typed character is taken when it is a digit from 0 to the box's highest digit.
bool acceptsCharacter(char32_t character, int highestDigit);

// The digit a box's content stands for: exactly one digit within the box's range. Anything
// else (empty, pasted "12", "7" in a tens box, letters) gives nothing, and the box keeps the
// digit it had. The content is UTF-8.
std::optional<std::int16_t> committedDigit(std::string_view text, int highestDigit);

} // namespace horaloom
