#include "displaycheck.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#if defined(__unix__)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif
#if defined(HORALOOM_HAVE_X11)
#include <xcb/xcb.h>
#endif

namespace horaloom {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The value after a Qt option such as -platform (Qt takes --platform as well).
std::string option(int argc, char* argv[], std::string_view name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.substr(0, 2) == "--") {
            arg.remove_prefix(1);
        }
        if (arg == name) {
            return argv[i + 1];
        }
    }
    return {};
}

// Each returns why the display cannot be reached, or nothing when it can.
std::string x11Problem(const std::string& display)
{
    if (display.empty()) {
        return "DISPLAY is not set";
    }
#if defined(HORALOOM_HAVE_X11)
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed) {
        return "no X server answers on DISPLAY " + display;
    }
#endif
    return {};
}

std::string waylandProblem()
{
#if defined(__unix__)
    if (!environment("WAYLAND_SOCKET").empty()) {
        return {}; // handed over already connected
    }
    std::string path = environment("WAYLAND_DISPLAY");
    if (path.empty()) {
        path = "wayland-0";
    }
    if (path.front() != '/') {
        const std::string runtime = environment("XDG_RUNTIME_DIR");
        if (runtime.empty()) {
            return "no Wayland compositor (XDG_RUNTIME_DIR is not set)";
        }
        path = runtime + "/" + path;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bool connected = false;
    if (fd >= 0 && path.size() < sizeof address.sun_path) {
        path.copy(address.sun_path, path.size());
        connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    if (!connected) {
        return "no Wayland compositor at " + path;
    }
#endif
    return {};
}

} // namespace

bool displayReachable(int argc, char* argv[])
{
    std::string platforms = option(argc, argv, "-platform");
    if (platforms.empty()) {
        platforms = environment("QT_QPA_PLATFORM");
    }
    if (platforms.empty()) {
        // Qt's own choice between the two depends on the session; either will do.
        platforms = "xcb;wayland";
    }
    std::string display = option(argc, argv, "-display");
    if (display.empty()) {
        display = environment("DISPLAY");
    }

    // QT_QPA_PLATFORM may list several plugins, each with options after a colon: Qt takes the
    // first that works.
    std::vector<std::string> problems;
    std::string_view rest = platforms;
    while (!rest.empty()) {
        const std::string_view entry = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name.empty()) {
            continue;
        }
        std::string problem;
        if (name == "xcb") {
            problem = x11Problem(display);
        } else if (name.substr(0, 7) == "wayland") {
            problem = waylandProblem();
        }
        if (problem.empty()) {
            return true;
        }
        problems.push_back(problem);
    }
    if (problems.empty()) {
        return true;
    }
    std::string line = "horaloom: no display to open the window on: " + problems.front();
    for (std::size_t i = 1; i < problems.size(); ++i) {
        line += "; " + problems[i];
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    return false;
}

} // namespace horaloom
