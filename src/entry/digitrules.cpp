#include "digitrules.h"

namespace horaloom {

bool acceptsCharacter(QChar character, int highestDigit)
{
    const char16_t code = character.unicode();
    return code >= u'0' && code <= u'0' + highestDigit;
}

std::optional<std::int16_t> committedDigit(const QString& text, int highestDigit)
{
    if (text.size() != 1 || !acceptsCharacter(text.front(), highestDigit)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(text.front().unicode() - u'0');
}

} // namespace horaloom
