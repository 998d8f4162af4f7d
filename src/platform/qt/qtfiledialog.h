// The wave-file Open dialog through QFileDialog.
#pragma once

#include "filedialog.h"

namespace horaloom {

class QtFileDialog : public FileDialog {
public:
    std::string openWaveFile() override;
};

} // namespace horaloom
