// Ending the program: the message loop stops, and WinMain tidies up (the tray icon goes).
#pragma once

#include "programend.h"

namespace horaloom {

class Win32ProgramEnd : public ProgramEnd {
public:
    void endProgram(int exitCode) override;
};

} // namespace horaloom
