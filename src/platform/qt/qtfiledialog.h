// The wave-file Open dialog through QFileDialog.
#pragma once

#include "filedialog.h"

#include <QString>

namespace horaloom {

class QtFileDialog : public FileDialog {
public:
    // Where the dialog opens for this wave file.
    static QString startFolder(const std::string& current);

    std::string openWaveFile(const std::string& current) override;
};

} // namespace horaloom
