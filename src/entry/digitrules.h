// Which characters a digit box takes, and what it stores when it loses the focus.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace horaloom {

// A typed character is taken when it is a digit from 0 to the box's highest digit.
bool acceptsCharacter(QChar character, int highestDigit);

// The digit a box's content stands for: exactly one digit within the box's range. Anything
// else (empty, pasted "12", "7" in a tens box, letters) gives nothing, and the box keeps the
// digit it had.
std::optional<std::int16_t> committedDigit(const QString& text, int highestDigit);

} // namespace horaloom
