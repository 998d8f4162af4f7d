// Ending the program: leave the event loop at once with the given code.
#pragma once

#include "programend.h"

namespace horaloom {

class QtProgramEnd : public ProgramEnd {
public:
    void endProgram(int exitCode) override;
};

} // namespace horaloom
