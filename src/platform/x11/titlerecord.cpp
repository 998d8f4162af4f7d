#include "titlerecord.h"

#include <charconv>

namespace horaloom {

namespace {

constexpr std::string_view header = "horaloom-own-title 1\n";
constexpr std::string_view titleEntry = "title";

bool isWord(std::string_view word)
{
    if (word.empty()) {
        return false;
    }
    for (const char c : word) {
        if (c <= ' ' || c > '~') {
            return false;
        }
    }
    return true;
}

// Takes the text up to the next blank or newline off the front of text.
std::string_view takeField(std::string_view& text, char separator)
{
    const std::size_t end = text.find(separator);
    if (end == std::string_view::npos) {
        text = {};
        return {};
    }
    const std::string_view field = text.substr(0, end);
    text.remove_prefix(end + 1);
    return field;
}

std::optional<std::size_t> takeNumber(std::string_view& text, char separator)
{
    const std::string_view field = takeField(text, separator);
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size()) {
        return std::nullopt;
    }
    return value;
}

void appendEntry(std::string& out, const RecordedProperty& entry)
{
    out += entry.name + ' ' + entry.type + ' ' + std::to_string(entry.format) + ' ' +
           std::to_string(entry.bytes.size()) + '\n';
    out += entry.bytes;
    out += '\n';
}

bool isTime(std::string_view text)
{
    if (text.empty()) {
        return true;
    }
    const auto digit = [&text](std::size_t at) { return text[at] >= '0' && text[at] <= '9'; };
    return text.size() == 8 && digit(0) && digit(1) && text[2] == ':' && digit(3) && digit(4) &&
           text[5] == ':' && digit(6) && digit(7);
}

} // namespace

std::string encodeTitleRecord(const TitleRecord& record)
{
    std::string out(header);
    for (const RecordedProperty& property : record.properties) {
        appendEntry(out, property);
    }
    if (record.decoratedTitle) {
        appendEntry(out, {std::string(titleEntry), "UTF8_STRING", 8, *record.decoratedTitle});
    }
    return out;
}

std::optional<TitleRecord> decodeTitleRecord(std::string_view record)
{
    if (!record.starts_with(header)) {
        return std::nullopt;
    }
    record.remove_prefix(header.size());
    TitleRecord decoded;
    while (!record.empty()) {
        RecordedProperty property;
        property.name = takeField(record, ' ');
        property.type = takeField(record, ' ');
        const auto format = takeNumber(record, ' ');
        const auto count = takeNumber(record, '\n');
        if (!isWord(property.name) || !isWord(property.type) || !format || !count) {
            return std::nullopt;
        }
        const bool validFormat = *format == 8 || *format == 16 || *format == 32;
        if (!validFormat || *count % (*format / 8) != 0 || record.size() < *count + 1 ||
            record[*count] != '\n') {
            return std::nullopt;
        }
        property.format = static_cast<int>(*format);
        property.bytes = record.substr(0, *count);
        record.remove_prefix(*count + 1);
        if (property.name == titleEntry) {
            decoded.decoratedTitle = std::move(property.bytes);
        } else {
            decoded.properties.push_back(std::move(property));
        }
    }
    return decoded;
}

// As TitleBarWriter::composeTitle writes it; the time of day is whatever the clock showed.
bool isDecorationOf(std::string_view text, std::string_view title)
{
    constexpr std::string_view afterTime = "   ";
    constexpr std::string_view afterClock = "    ";
    const std::size_t timeEnd = text.find(afterTime);
    if (timeEnd == std::string_view::npos || !isTime(text.substr(0, timeEnd)) ||
        !text.ends_with(title)) {
        return false;
    }
    const std::size_t middleStart = timeEnd + afterTime.size();
    if (text.size() < middleStart + title.size()) {
        return false;
    }
    const std::string_view middle =
        text.substr(middleStart, text.size() - title.size() - middleStart);
    return middle.empty() || middle.ends_with(afterClock);
}

} // namespace horaloom
