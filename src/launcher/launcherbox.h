// The launcher's message boxes, for the user who started Horaloom from a menu and sees no
// standard error.
#pragma once

#include <string>

namespace horaloom {

struct LauncherBox {
    enum class Kind { Warning, Critical };
    Kind kind = Kind::Warning;
    std::string text;        // what happened, in a sentence
    std::string informative; // shown below it
    std::string details;     // behind the Show Details button; may be empty
};

// Shows the box and waits until it is closed. It runs in a child process: Qt ends a program
// whose display cannot be opened, and the launcher must still go on (or fail) by its own rules,
// with nothing of Qt's left in the process that becomes Horaloom. Without a display to show it
// on, nothing is shown. argv holds the Qt options the launcher was given (-display, ...).
void showLauncherBox(const LauncherBox& box, int argc, char* argv[]);

} // namespace horaloom
