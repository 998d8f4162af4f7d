// Writes a settings file the way Horaloom does at exit; the fault tests run it under pressure.
//   settings_writer PATH WAVEFILE
#include "qtfiles.h"
#include "settingsformat.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: settings_writer PATH WAVEFILE\n");
        return 2;
    }
    const horaloom::Settings settings{1, 1, 1, 2880, -1995, argv[2], "1"};
    horaloom::QtFiles files;
    const std::string reason = files.replaceFile(argv[1], *horaloom::formatSettings(settings));
    if (!reason.empty()) {
        std::fprintf(stderr, "not saved: %s\n", reason.c_str());
        return 1;
    }
    return 0;
}
