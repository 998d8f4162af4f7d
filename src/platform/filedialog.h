// The Open dialog for a wave file.
#pragma once

#include <QString>

class QWidget;

namespace horaloom {

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // Asks for an existing "*.wav" file; returns an empty text when cancelled.
    virtual QString openWaveFile(QWidget* parent) = 0;
};

} // namespace horaloom
