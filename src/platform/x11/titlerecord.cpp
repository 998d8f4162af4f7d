#include "titlerecord.h"

#include <charconv>

namespace horaloom {

namespace {

constexpr std::string_view header = "horaloom-own-title 1\n";

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

} // namespace

std::string encodeTitleRecord(const std::vector<RecordedProperty>& properties)
{
    std::string record(header);
    for (const RecordedProperty& property : properties) {
        record += property.name + ' ' + property.type + ' ' + std::to_string(property.format) +
                  ' ' + std::to_string(property.bytes.size()) + '\n';
        record += property.bytes;
        record += '\n';
    }
    return record;
}

std::optional<std::vector<RecordedProperty>> decodeTitleRecord(std::string_view record)
{
    if (!record.starts_with(header)) {
        return std::nullopt;
    }
    record.remove_prefix(header.size());
    std::vector<RecordedProperty> properties;
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
        properties.push_back(std::move(property));
    }
    return properties;
}

} // namespace horaloom
