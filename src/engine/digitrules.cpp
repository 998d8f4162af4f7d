#include "digitrules.h"

namespace horaloom {

bool acceptsCharacter(char32_t character, int highestDigit)
{
    return character >= U'0' && character <= static_cast<char32_t>(U'0' + highestDigit);
}

std::optional<std::int16_t> committedDigit(std::string_view text, int highestDigit)
{
    if (text.size() != 1 ||
        !acceptsCharacter(static_cast<unsigned char>(text.front()), highestDigit)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(text.front() - '0');
}

} // namespace horaloom
