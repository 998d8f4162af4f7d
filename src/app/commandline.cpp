#include "commandline.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace horaloom {

const CommandLineTexts HoraloomCommandLine{
    "horaloom",
    "Usage: horaloom [--help | --version] [Qt options]\n"
    "\n"
    "A timer that counts up, or down from a time typed into its six digit boxes, and\n"
    "writes the running time at the front of the title of the window in front.\n"
    "\n"
    "Horaloom reads and writes Horaloom.ini in the directory it is started from and\n"
    "will not start without one; horaloom-launcher starts it in a settings directory\n"
    "of its own.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "Qt's own options (-platform, -display, -style, -session and the like) go to Qt.\n"
    "See horaloom(1) for the settings file and the exit statuses.\n",
};

namespace {

// The options QApplication takes off the command line itself (the qt6options(7) list, with the
// X11 platform's own), so that a desktop or a user may pass them as to any Qt program.
constexpr std::array<std::string_view, 16> QtOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "style",  "stylesheet",
    "display",     "geometry",           "title",         "icon",   "name",
    "visual",
};
constexpr std::array<std::string_view, 5> QtOptionsWithEquals = {
    "style", "stylesheet", "qmljsdebugger", "dialogs", "fontengine",
};
constexpr std::array<std::string_view, 6> QtFlags = {
    "reverse", "widgetcount", "testability", "nograb", "dograb", "sync",
};

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

int usageError(const CommandLineTexts& texts, const std::string& problem)
{
    std::fprintf(stderr, "%.*s: %s (see '%.*s --help')\n", static_cast<int>(texts.program.size()),
                 texts.program.data(), problem.c_str(), static_cast<int>(texts.program.size()),
                 texts.program.data());
    return UsageErrorStatus;
}

int print(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    // A closed or full standard output is a failure, not a silent success.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char* const argv[], const CommandLineTexts& texts)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            return print(texts.help);
        }
        if (arg == "--version" || arg == "-v") {
            return print(std::string(VersionText) + '\n');
        }
        if (arg.size() < 2 || arg[0] != '-') {
            // Horaloom opens no files named on the command line.
            return usageError(texts, "unexpected argument '" + std::string(arg) + "'");
        }
        // Qt reads its options with one dash or two.
        const std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
        const std::size_t equals = name.find('=');
        if (equals != std::string_view::npos ? listed(QtOptionsWithEquals, name.substr(0, equals))
                                             : listed(QtFlags, name)) {
            continue;
        }
        if (equals == std::string_view::npos && listed(QtOptionsWithValue, name)) {
            if (++i == argc) {
                return usageError(texts, "option '" + std::string(arg) + "' needs a value");
            }
            continue;
        }
        return usageError(texts, "unknown option '" + std::string(arg) + "'");
    }
    return std::nullopt;
}

} // namespace horaloom
