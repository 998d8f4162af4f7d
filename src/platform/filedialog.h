// The Open dialog for a wave file.
#pragma once

#include <string>

namespace horaloom {

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // Asks for an existing "*.wav" file over the window in front, starting in the folder of the
    // current wave file, else the user's music folder, else home. Returns the chosen path as
    // the system takes it, or an empty text when cancelled.
    virtual std::string openWaveFile(const std::string& current) = 0;
};

} // namespace horaloom
