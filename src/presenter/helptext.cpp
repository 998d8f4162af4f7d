#include "helptext.h"

#include <array>
#include <string_view>

namespace horaloom {

const std::string& helpText()
{
    // One entry per line; the quotes inside are part of the text, as are the blanks (two after
    // the comma in the first line, two at the end of the "Start Timer" line) and the doubled
    // quotes.
    static constexpr std::array<std::string_view, 18> lines = {
        R"(Select "Count Up",  or "Count Down" mode.)",
        "",
        R"(If you select "Count Down", enter your desired time.)",
        "",
        R"(Select "Start Timer", "Stop Timer"", and  )",
        R"("Reset"" to manipulate timer display)",
        "",
        R"(Select "Hide" to hide the setup screen. Click the System Tray)",
        R"(icon to display the setup screen.)",
        "",
        R"("Repeat Countdown" causes the countdown timer to cycle.)",
        "",
        R"("Save Position on Exit" restores the last timer window position on startup.)",
        "",
        R"("Display Clock in Title Bar" displays current time with running timer.)",
        "",
        R"x("Select Alarm" specifies sound ("Beep" or "Wave File"))x",
        R"(on countdown completion.)",
    };
    static const std::string text = [] {
        std::string joined;
        for (std::string_view line : lines) {
            joined.append(line).append("\r\n");
        }
        return joined;
    }();
    return text;
}

} // namespace horaloom
