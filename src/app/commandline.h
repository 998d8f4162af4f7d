// The command line, answered before any window or display is touched: --help and --version
// print and end the program, anything unknown ends it with a usage error. Standard C++ only, so
// the launcher answers its own command line with the same rules.
#pragma once

#include <optional>
#include <string_view>

namespace horaloom {

// The version as the About window and the tray show it ("Version 1.00", "Horaloom V1.00").
inline constexpr std::string_view VersionText = "Horaloom 1.00";

// Exit status for a command line that cannot be obeyed, as the shells' own builtins use it.
inline constexpr int UsageErrorStatus = 2;

// What a program prints for --help: its name as errors name it and the whole help text.
struct CommandLineTexts {
    std::string_view program;
    std::string_view help;
};

extern const CommandLineTexts HoraloomCommandLine;

// Reads the arguments from left to right. Returns the exit status when the program should end
// now (0 after --help or --version, UsageErrorStatus after a one-line error on standard
// error), or nothing when it should go on; Qt's own options are left for QApplication.
std::optional<int> answerCommandLine(int argc, char* const argv[],
                                     const CommandLineTexts& texts = HoraloomCommandLine);

} // namespace horaloom
