// Message boxes on QMessageBox.
#pragma once

#include "messageboxes.h"

namespace horaloom {

class QtMessageBoxes : public MessageBoxes {
public:
    int show(const QString& text, const QString& title, int style) override;
};

} // namespace horaloom
