// The files Horaloom reads and writes, named by paths as the system takes them: bytes, not
// necessarily UTF-8 (on Windows, the ANSI code page).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace horaloom {

struct FileContents {
    std::optional<std::string> bytes; // set when the file was read
    std::string error;                // why not, in words for the user (UTF-8)
};

class Files {
public:
    virtual ~Files() = default;

    virtual std::string currentDirectory() = 0;
    // The path of the file called name in directory.
    virtual std::string pathIn(const std::string& directory, std::string_view name) = 0;
    // A path in words for the user (UTF-8), as the system would show it.
    virtual std::string displayName(const std::string& path) = 0;

    // The bytes of a regular file of at most limit bytes. Anything else (missing, unreadable,
    // a directory, a FIFO or device, too large) is an error; never blocks.
    virtual FileContents readSmallFile(const std::string& path, std::size_t limit) = 0;
    // Replaces the file's content at once or not at all: on failure the old file is untouched.
    // Returns an empty text, or why the write failed (UTF-8).
    virtual std::string replaceFile(const std::string& path, std::string_view bytes) = 0;
    // Whether the file opens for reading.
    virtual bool canRead(const std::string& path) = 0;
};

} // namespace horaloom
