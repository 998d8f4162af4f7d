// libFuzzer target for the settings reader. Horaloom.ini may have been edited by hand or be
// anything at all, so for every input:
//  - parseSettings either reads seven values or names the line (1 to 7) and what was wrong;
//  - what it reads can be written back: formatSettings gives seven CR LF lines, and reading
//    those gives the same values, and writing those again the same bytes;
//  - a byte-order mark in front of a written file changes nothing.
// Any broken rule aborts, and libFuzzer keeps the input that broke it.
#include "settingsformat.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using horaloom::Settings;
using horaloom::SettingsReadResult;

bool sameValues(const Settings& a, const Settings& b)
{
    return a.AlarmType == b.AlarmType && a.RepeatCountdown == b.RepeatCountdown &&
           a.SavePosition == b.SavePosition && a.SavedLeft == b.SavedLeft &&
           a.SavedTop == b.SavedTop && a.WaveFile == b.WaveFile && a.DisplayClock == b.DisplayClock;
}

[[noreturn]] void broken(const char* rule, std::string_view bytes)
{
    std::fprintf(stderr, "settings_fuzzer: %s\n  bytes:", rule);
    for (unsigned char c : bytes)
        std::fprintf(stderr, " %02x", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

void require(bool holds, const char* rule, std::string_view bytes)
{
    if (!holds)
        broken(rule, bytes);
}

// Seven lines, each ending in CR LF, and no other line feed anywhere.
bool isSevenCrLfLines(std::string_view bytes)
{
    if (!bytes.ends_with("\r\n"))
        return false;
    int lines = 0;
    for (std::size_t i = bytes.find('\n'); i != std::string_view::npos;
         i = bytes.find('\n', i + 1)) {
        if (i == 0 || bytes[i - 1] != '\r')
            return false;
        ++lines;
    }
    return lines == 7;
}

void checkReadable(const SettingsReadResult& result, std::string_view input)
{
    if (!result.settings) {
        require(result.error.line >= 1 && result.error.line <= 7,
                "a failed read names a line of the file", input);
        require(!result.error.problem.empty(), "a failed read says what was wrong", input);
        return;
    }
    const Settings& settings = *result.settings;
    // The writer refuses a text holding a line feed: anything read must be writable.
    require(settings.WaveFile.find('\n') == std::string::npos, "the wave file holds no line feed",
            input);
    require(horaloom::numberValue(settings.DisplayClock).has_value(),
            "the display clock reads as a number", input);

    const auto formatted = horaloom::formatSettings(settings);
    require(formatted.has_value(), "what is read can be written", input);
    const std::string& written = *formatted;
    require(isSevenCrLfLines(written), "a written file is seven CR LF lines", input);

    const SettingsReadResult reread = horaloom::parseSettings(written);
    require(reread.settings.has_value(), "a written file reads back", input);
    require(sameValues(settings, *reread.settings), "a written file reads back the same values",
            input);
    require(horaloom::formatSettings(*reread.settings) == written,
            "writing the values read back gives the same bytes", input);

    const SettingsReadResult marked = horaloom::parseSettings("\xEF\xBB\xBF" + written);
    require(marked.settings.has_value() && sameValues(settings, *marked.settings),
            "a byte-order mark in front changes nothing", input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Not copied: the sanitizer then catches a read one byte past the end of the input.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkReadable(horaloom::parseSettings(input), input);
    return 0;
}
