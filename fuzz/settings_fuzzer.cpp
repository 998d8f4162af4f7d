// libFuzzer target for the settings reader. Horaloom.ini may have been edited by hand or be
// anything at all, so for every input:
//  - parseSettings either reads seven values or names the line (1 to 7) and what was wrong;
//  - what it reads can be written back: formatSettings gives seven CR LF lines, and reading
//    those gives the same values, and writing those again the same bytes;
//  - a byte-order mark in front of a written file changes nothing.
// Any broken rule aborts, and libFuzzer keeps the input that broke it.
#include "settingsfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using horaloom::Settings;
using horaloom::SettingsReadResult;

bool sameValues(const Settings& a, const Settings& b)
{
    return a.AlarmType == b.AlarmType && a.RepeatCountdown == b.RepeatCountdown &&
           a.SavePosition == b.SavePosition && a.SavedLeft == b.SavedLeft &&
           a.SavedTop == b.SavedTop && a.WaveFile == b.WaveFile && a.DisplayClock == b.DisplayClock;
}

[[noreturn]] void broken(const char* rule, const QByteArray& bytes)
{
    std::fprintf(stderr, "settings_fuzzer: %s\n  bytes: %s\n", rule,
                 bytes.toPercentEncoding().constData());
    std::abort();
}

void require(bool holds, const char* rule, const QByteArray& bytes)
{
    if (!holds)
        broken(rule, bytes);
}

// Seven lines, each ending in CR LF, and no other line feed anywhere.
bool isSevenCrLfLines(const QByteArray& bytes)
{
    if (!bytes.endsWith("\r\n") || bytes.count('\n') != 7)
        return false;
    for (qsizetype i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1)) {
        if (i == 0 || bytes[i - 1] != '\r')
            return false;
    }
    return true;
}

bool isWholeNumber(const QString& text)
{
    qsizetype i = text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return false;
    }
    return true;
}

void checkReadable(const SettingsReadResult& result, const QByteArray& input)
{
    if (!result.settings) {
        require(result.error.line >= 1 && result.error.line <= 7,
                "a failed read names a line of the file", input);
        require(!result.error.problem.isEmpty(), "a failed read says what was wrong", input);
        return;
    }
    const Settings& settings = *result.settings;
    // The writer refuses a text holding a line feed: anything read must be writable.
    require(!settings.WaveFile.contains(QLatin1Char('\n')), "the wave file holds no line feed",
            input);
    require(isWholeNumber(settings.DisplayClock), "the display clock is a whole number", input);

    const QByteArray written = horaloom::formatSettings(settings);
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
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkReadable(horaloom::parseSettings(input), input);
    return 0;
}
