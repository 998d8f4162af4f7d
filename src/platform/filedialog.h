// The Open dialog for a wave file.
#pragma once

#include <string>

namespace horaloom {

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // Asks for an existing "*.wav" file over the window in front; returns its path as the
    // system takes it, or an empty text when cancelled.
    virtual std::string openWaveFile() = 0;
};

} // namespace horaloom
