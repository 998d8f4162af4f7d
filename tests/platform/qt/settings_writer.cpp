// Replaces a file the way Horaloom writes its settings at exit; fault_write.sh runs it under
// pressure.
//   settings_writer PATH BYTES
#include "qtfiles.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    const std::string reason =
        argc == 3 ? horaloom::QtFiles().replaceFile(argv[1], argv[2]) : "usage";
    if (!reason.empty()) {
        std::fprintf(stderr, "not saved: %s\n", reason.c_str());
    }
    return reason.empty() ? 0 : 1;
}
