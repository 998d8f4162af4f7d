// Message boxes on QMessageBox.
#pragma once

#include "messageboxes.h"

namespace horaloom {

class QtMessageBoxes : public MessageBoxes {
public:
    int show(const Message& message) override;
};

} // namespace horaloom
