// The note Horaloom leaves on a window while it decorates it: the window's own title, raw, and
// what tells our decoration from a title the window's program set.
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

struct TitleRecord {
    std::vector<RecordedProperty> properties; // a property the window did not have is not listed
    // The title our decorations on the window end with, as UTF-8. Notes of earlier versions
    // lack it; their title is what the properties decode to.
    std::optional<std::string> decoratedTitle;

    bool operator==(const TitleRecord&) const = default;
};

// A text header, then per property present: "NAME TYPE FORMAT COUNT\n", COUNT raw bytes, "\n";
// the decorated title goes in the same shape, named "title", which older readers pass over.
std::string encodeTitleRecord(const TitleRecord& record);

// Nothing for a note that is not in this shape; a damaged note must never become a title.
std::optional<TitleRecord> decodeTitleRecord(std::string_view record);

// Whether text is a decoration of title as the title-bar writer composes it: the running time
// (HH:MM:SS, or nothing before the first count step), three blanks, optionally the time of day
// and four blanks, then the title.
bool isDecorationOf(std::string_view text, std::string_view title);

} // namespace horaloom
