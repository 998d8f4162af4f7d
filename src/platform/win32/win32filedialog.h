// The Open dialog for a wave file: GetOpenFileNameW.
#pragma once

#include "filedialog.h"

namespace horaloom {

class Win32FileDialog : public FileDialog {
public:
    // A file whose name the ANSI code page cannot spell is handed back by its short name, or,
    // where it has none, not at all (as if cancelled).
    std::string openWaveFile(const std::string& current) override;
};

} // namespace horaloom
