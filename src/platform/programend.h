// Ending the program at once, whatever windows are open.
#pragma once

namespace horaloom {

class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void endProgram(int exitCode) = 0;
};

} // namespace horaloom
