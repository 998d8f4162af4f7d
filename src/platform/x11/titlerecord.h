// The note Horaloom leaves on a window while it decorates it: the window's own title, raw.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace horaloom {

// One title property exactly as the X server held it; types go by atom name, so the note
// reads the same for any connection.
struct RecordedProperty {
    std::string name; // "_NET_WM_NAME" or "WM_NAME"
    std::string type; // "UTF8_STRING", "STRING", "COMPOUND_TEXT", ...
    int format = 8;   // 8, 16 or 32
    std::string bytes;

    bool operator==(const RecordedProperty&) const = default;
};

// A text header, then per property present: "NAME TYPE FORMAT COUNT\n", COUNT raw bytes, "\n".
// A property the window did not have is not listed.
std::string encodeTitleRecord(const std::vector<RecordedProperty>& properties);

// Nothing for a note that is not in this shape; a damaged note must never become a title.
std::optional<std::vector<RecordedProperty>> decodeTitleRecord(std::string_view record);

} // namespace horaloom
