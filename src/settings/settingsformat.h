// "Horaloom.ini": seven CR LF lines, read at start-up and written at a confirmed exit. The
// format only; the file itself is reached through the platform's Files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace horaloom {

// The text lines (the wave file and the display-clock value) are bytes as the file holds them:
// a path from another system's code page survives a read and a write unchanged.
struct Settings {
    std::int16_t AlarmType = 0;
    std::int16_t RepeatCountdown = 0;
    std::int16_t SavePosition = 0;
    std::int16_t SavedLeft = 0;
    std::int16_t SavedTop = 0;
    std::string WaveFile;
    std::string DisplayClock = "0";
};

// Why a settings file could not be read: the 1-based line (0 for the file as a whole) and what
// was wrong with it, in words fit for the user.
struct SettingsError {
    int line = 0;
    std::string problem;
};

struct SettingsReadResult {
    std::optional<Settings> settings; // set when the file read completely
    SettingsError error;              // meaningful when settings is empty
};

inline constexpr std::string_view SettingsFileName = "Horaloom.ini";

// The real file is a few dozen bytes; anything larger is not a settings file.
inline constexpr std::size_t SettingsMaxBytes = 1024 * 1024;

// Parses the bytes of a settings file by the field rules. Never throws.
SettingsReadResult parseSettings(std::string_view bytes);

// The exact bytes of the file for these values; empty when a text value holds a line feed,
// which would split it into two lines and shift every later value.
std::optional<std::string> formatSettings(const Settings& settings);

// The display-clock text as a number: decimal, blanks around it allowed, a sign, a fraction
// and an exponent allowed ("1", " 1.0 ", "+1", "1e0" and "01" all read as 1); no thousands
// separators, whatever the locale. Empty when the text does not read as a number.
std::optional<double> numberValue(std::string_view text);

// Twips to a storable edge: rounded to nearest with halves to even, clamped to 16 bits.
std::int16_t storableEdge(double twips);

} // namespace horaloom
