// The settings file and the wave files on Windows, by paths in the ANSI code page.
#pragma once

#include "files.h"

namespace horaloom {

class Win32Files : public Files {
public:
    std::string currentDirectory() override;
    std::string pathIn(const std::string& directory, std::string_view name) override;
    std::string displayName(const std::string& path) override;
    // Only a file on a disk is read: a pipe, a device (CON, NUL, a COM port) or a directory
    // in the file's place is refused before anything is read from it.
    FileContents readSmallFile(const std::string& path, std::size_t limit) override;
    // A temporary file beside the old one, flushed, then moved over it in one step.
    std::string replaceFile(const std::string& path, std::string_view bytes) override;
    bool canRead(const std::string& path) override;
};

} // namespace horaloom
