// Message boxes through MessageBoxW: the style number is the system's own.
#pragma once

#include "messageboxes.h"

namespace horaloom {

class Win32MessageBoxes : public MessageBoxes {
public:
    // Modal to all of Horaloom's windows. A message with details gets a Help button that shows
    // them, so the box itself keeps its designed text.
    int show(const Message& message) override;
};

} // namespace horaloom
