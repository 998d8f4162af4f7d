// Files on a POSIX system, with Qt's atomic save for the one file Horaloom writes.
#pragma once

#include "files.h"

namespace horaloom {

class QtFiles : public Files {
public:
    std::string currentDirectory() override;
    std::string pathIn(const std::string& directory, std::string_view name) override;
    std::string displayName(const std::string& path) override;
    FileContents readSmallFile(const std::string& path, std::size_t limit) override;
    std::string replaceFile(const std::string& path, std::string_view bytes) override;
    bool canRead(const std::string& path) override;
};

} // namespace horaloom
