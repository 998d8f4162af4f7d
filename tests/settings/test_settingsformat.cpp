// The bytes of Horaloom.ini: exactly what is written, what a hand-edited file may hold, and the
// number rule of the display-clock line.
#include "settingsformat.h"

#include <gtest/gtest.h>

#include <limits>

namespace horaloom {
namespace {

const std::string Example =
    " 1 \r\n 0 \r\n 1 \r\n 2880 \r\n 1995 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n";

Settings settings(int alarm, int repeat, int position, int left, int top, const char* wave,
                  const char* clock)
{
    return Settings{static_cast<std::int16_t>(alarm),
                    static_cast<std::int16_t>(repeat),
                    static_cast<std::int16_t>(position),
                    static_cast<std::int16_t>(left),
                    static_cast<std::int16_t>(top),
                    wave,
                    clock};
}

void expectSettings(const SettingsReadResult& result, const Settings& want)
{
    ASSERT_TRUE(result.settings.has_value())
        << "line " << result.error.line << ": " << result.error.problem;
    const Settings& got = *result.settings;
    EXPECT_EQ(got.AlarmType, want.AlarmType);
    EXPECT_EQ(got.RepeatCountdown, want.RepeatCountdown);
    EXPECT_EQ(got.SavePosition, want.SavePosition);
    EXPECT_EQ(got.SavedLeft, want.SavedLeft);
    EXPECT_EQ(got.SavedTop, want.SavedTop);
    EXPECT_EQ(got.WaveFile, want.WaveFile);
    EXPECT_EQ(got.DisplayClock, want.DisplayClock);
}

TEST(SettingsFormat, WorkedExampleIsExactlyTheseFiftyFiveBytes)
{
    const auto bytes = formatSettings(settings(1, 0, 1, 2880, 1995, "C:\\SOUNDS\\ALARM.WAV", "1"));
    EXPECT_EQ(bytes, Example);
    EXPECT_EQ(bytes->size(), 55u);
}

TEST(SettingsFormat, SignTakesThePlaceOfTheLeadingBlank)
{
    EXPECT_EQ(formatSettings(settings(0, -1, 32767, -32768, 0, "", "0")),
              " 0 \r\n-1 \r\n 32767 \r\n-32768 \r\n 0 \r\n\r\n0\r\n");
}

TEST(SettingsFormat, WrittenValuesReadBackByteForByte)
{
    const Settings cases[] = {
        settings(1, 0, 1, 2880, 1995, "C:\\SOUNDS\\ALARM.WAV", "1"),
        settings(0, 1, 2, -3000, -32768, "", "0"),
        settings(-1, 32767, 0, 32767, -1, "C:\\SOUNDS\\BELL,LOUD.WAV", "2"),
        settings(1, 1, 1, 0, 0, "/home/jörg/Klänge/glocke, laut ♪.wav", "1.0 "),
        // A Latin-1 name carried over from another system is bytes, not UTF-8: kept as they are.
        settings(1, 0, 0, 0, 0, "caf\xe9 d\xe9j\xe0.wav", "1"),
    };
    for (const Settings& written : cases) {
        SCOPED_TRACE(written.WaveFile);
        const auto bytes = formatSettings(written);
        ASSERT_TRUE(bytes);
        expectSettings(parseSettings(*bytes), written);
        EXPECT_EQ(formatSettings(*parseSettings(*bytes).settings), bytes);
    }
    // A line feed inside a text would split it and shift every later value: not written.
    EXPECT_FALSE(formatSettings(settings(0, 0, 0, 0, 0, "two\nlines", "0")));
}

TEST(SettingsParse, AcceptsHandEditedFiles)
{
    const Settings example = settings(1, 0, 1, 2880, 1995, "C:\\SOUNDS\\ALARM.WAV", "1");
    const struct {
        const char* name;
        std::string bytes;
        Settings want;
    } cases[] = {
        {"bare LF line ends", " 1 \n 0 \n 1 \n 2880 \n 1995 \nC:\\SOUNDS\\ALARM.WAV\n1\n", example},
        {"no blanks around numbers",
         "1\r\n0\r\n1\r\n2880\r\n1995\r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n", example},
        {"tabs and extra blanks",
         "\t1\t\r\n  +0  \r\n1\r\n2880\r\n1995\r\n  C:\\SOUNDS\\ALARM.WAV\r\n 1\r\n", example},
        {"lines after the seventh", Example + "junk\r\n40000\r\n", example},
        {"no line end after line 7", Example.substr(0, Example.size() - 2), example},
        {"byte-order mark", "\xEF\xBB\xBF" + Example, example},
        {"commas between integers", " 1 , 0 , 1 \r\n2880,1995\r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n",
         example},
        {"save position 2, clock 2", "0\r\n0\r\n2\r\n-3000\r\n0\r\n/x.wav\r\n2\r\n",
         settings(0, 0, 2, -3000, 0, "/x.wav", "2")},
        {"empty line 6", "0\r\n0\r\n0\r\n0\r\n0\r\n\r\n-1\r\n", settings(0, 0, 0, 0, 0, "", "-1")},
        {"range limits", "-32768\r\n32767\r\n-0\r\n00032767\r\n0\r\n,\r\n0\r\n",
         settings(-32768, 32767, 0, 32767, 0, ",", "0")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectSettings(parseSettings(c.bytes), c.want);
    }
}

TEST(SettingsParse, WhatIsReadWritesBackToTheSameValues)
{
    // Found by the fuzzer: a byte-order mark at the start of the wave-file line, then a blank.
    const std::string file = " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\xEF\xBB\xBF\tbell.wav\r\n0\r\n";
    const auto first = horaloom::parseSettings(file);
    ASSERT_TRUE(first.settings);
    const auto again = horaloom::parseSettings(*horaloom::formatSettings(*first.settings));
    ASSERT_TRUE(again.settings);
    EXPECT_EQ(again.settings->WaveFile, first.settings->WaveFile);
}

TEST(SettingsParse, RejectsBrokenFilesNamingTheLine)
{
    const std::string head = " 1 \r\n 0 \r\n 1 \r\n";
    const struct {
        std::string bytes;
        int line;
        const char* problem;
    } cases[] = {
        {"", 1, "file ends"},
        {Example.substr(0, Example.size() - 3), 7, "file ends"},
        {head + "40000\r\n 0 \r\n\r\n1\r\n", 4, "value 40000 is outside -32768..32767"},
        {head + "0\r\n-32769\r\n\r\n1\r\n", 5, "value -32769 is outside"},
        {"32768\r\n", 1, "outside"},
        {"0\r\n99999999999999999999999\r\n", 2, "outside"},
        {"0\r\n\r\n", 2, "missing"},
        {"0\r\n   ,1\r\n", 2, "missing"},
        {"abc\r\n", 1, "'abc' is not a number"},
        {"0\r\n0\r\n1x\r\n", 3, "'1x' is not a number"},
        {"- 5\r\n", 1, "not a number"},
        {std::string(" 1\0 \r\n", 6), 1, "not a number"},
        {"1\r2\r\n", 1, "not a number"},
        {head + "0\r\n0\r\nC:\\X.WAV\r\n\r\n", 7, "display clock value is missing"},
        {head + "0\r\n0\r\nC:\\X.WAV\r\nLOUD.WAV\r\n", 7, "display clock 'LOUD.WAV' is not"},
        {head + "0\r\n0\r\nC:\\X.WAV\r\n1,0\r\n", 7, "not a number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const SettingsReadResult result = parseSettings(c.bytes);
        EXPECT_FALSE(result.settings.has_value());
        EXPECT_EQ(result.error.line, c.line);
        EXPECT_NE(result.error.problem.find(c.problem), std::string::npos) << result.error.problem;
    }
}

TEST(SettingsParse, FileIsCompleteOnlyOnceLineSevenHasItsValue)
{
    const std::size_t clockAt = Example.size() - 3;
    for (std::size_t length = 0; length <= Example.size(); ++length) {
        SCOPED_TRACE(length);
        const SettingsReadResult result = parseSettings(Example.substr(0, length));
        EXPECT_EQ(result.settings.has_value(), length > clockAt);
        if (!result.settings) {
            EXPECT_TRUE(result.error.line >= 1 && result.error.line <= 7) << result.error.line;
        }
    }
}

TEST(SettingsFormat, DisplayClockReadsAsADecimalNumber)
{
    const std::pair<const char*, double> numbers[] = {
        {"1", 1},  {" 1.0 ", 1}, {"+1", 1},   {"1e0", 1},   {"01", 1},       {"\t0\t", 0},
        {"-0", 0}, {"2", 2},     {".5", 0.5}, {"1E+1", 10}, {"-7.25", -7.25}};
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(numberValue(text), value) << "'" << text << "'";
    }
    for (const char* text : {"", " ", "1,0", "1 0", "1.0.0", "+-1", "0x1", "inf", "nan", "1e",
                             "one", "1e400", "\xef\xbc\x91", "."}) {
        EXPECT_FALSE(numberValue(text)) << "'" << text << "'";
    }
}

TEST(StorableEdge, RoundsHalvesToEvenAndClampsToSixteenBits)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const struct {
        double twips;
        int want;
    } cases[] = {
        {2.5, 2},         {3.5, 4},         {-2.5, -2},
        {-3.5, -4},       {0.5, 0},         {1.4999, 1},
        {-0.6, -1},       {2880.0, 2880},   {40000, 32767},
        {-40000, -32768}, {32767.4, 32767}, {-32768.6, -32768},
        {inf, 32767},     {-inf, -32768},   {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storableEdge(c.twips), c.want) << c.twips;
}

} // namespace
} // namespace horaloom
