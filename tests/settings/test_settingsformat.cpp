// The bytes of Horaloom.ini: exactly what is written, what a hand-edited file may hold and how
// it is written again, the number rule of the display-clock line and the rounding of the window's
// place.
#include "settingsformat.h"

#include <gtest/gtest.h>

#include <limits>

namespace horaloom {
namespace {

const std::string Example =
    " 1 \r\n 0 \r\n 1 \r\n 2880 \r\n 1995 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n";

// Read and written again: a file Horaloom wrote comes back byte for byte, and a hand-edited one
// as Horaloom would have written it (the bytes of a whole file, in tests/presenter).
TEST(Settings, ReadFilesAreWrittenAgainAsHoraloomWritesThem)
{
    const std::pair<std::string, std::string> cases[] = {
        // the file read, the file written from it ("" for the same bytes); other bytes stay bytes
        {"-1 \r\n 32767 \r\n 2 \r\n-3000 \r\n-1 \r\nC:\\SOUNDS\\BELL,LOUD.WAV\r\n1.0 \r\n", ""},
        {" 1 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n/home/jörg/Klänge/glocke, laut ♪.wav \r\n2 \r\n", ""},
        {" 1 \n 0 \n 1 \n 2880 \n 1995 \nC:\\SOUNDS\\ALARM.WAV\n1\n", Example},
        {"\t1\t\r\n  +0  \r\n1\r\n2880\r\n1995\r\n  C:\\SOUNDS\\ALARM.WAV\r\n 1\r\n", Example},
        {Example + "junk\r\n40000\r\n", Example},
        {Example.substr(0, Example.size() - 2), Example},
        {"\xEF\xBB\xBF" + Example, Example},
        {" 1 , 0 , 1 \r\n2880,1995\r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n", Example},
        {"-32768\r\n32767\r\n-0\r\n00032767\r\n0\r\n,\r\n-1\r\n",
         "-32768 \r\n 32767 \r\n 0 \r\n 32767 \r\n 0 \r\n,\r\n-1\r\n"},
    };
    for (const auto& [bytes, written] : cases) {
        const auto read = parseSettings(bytes);
        ASSERT_TRUE(read.settings) << bytes << ": " << read.error.problem;
        EXPECT_EQ(formatSettings(*read.settings), written.empty() ? bytes : written);
    }
    // A line feed inside a text would shift every later value: not written.
    EXPECT_FALSE(formatSettings(Settings{0, 0, 0, 0, 0, "two\nlines", "0"}));
}

TEST(Settings, BrokenFilesAreRefusedNamingTheLine)
{
    const std::string head = " 1 \r\n 0 \r\n 1 \r\n";
    const std::tuple<std::string, int, const char*> cases[] = {
        {"", 1, "file ends"},
        {head + "32768\r\n 0 \r\n\r\n1\r\n", 4, "value 32768 is outside -32768..32767"},
        {head + "0\r\n-32769\r\n\r\n1\r\n", 5, "value -32769 is outside"},
        {"0\r\n99999999999999999999999\r\n", 2, "outside"},
        {"0\r\n   ,1\r\n", 2, "missing"},
        {"0\r\n0\r\n1x\r\n", 3, "'1x' is not a number"},
        {"- 5\r\n", 1, "not a number"},
        {std::string(" 1\0 \r\n", 6), 1, "not a number"},
        {"1\r2\r\n", 1, "not a number"},
        {head + "0\r\n0\r\nC:\\X.WAV\r\n\r\n", 7, "display clock value is missing"},
        {head + "0\r\n0\r\nC:\\X.WAV\r\nLOUD.WAV\r\n", 7, "display clock 'LOUD.WAV' is not"},
    };
    for (const auto& [bytes, line, problem] : cases) {
        const auto read = parseSettings(bytes);
        EXPECT_FALSE(read.settings) << bytes;
        EXPECT_EQ(read.error.line, line) << bytes;
        EXPECT_NE(read.error.problem.find(problem), std::string::npos) << read.error.problem;
    }
}

// The display clock reads as a decimal number; the window's edges round halves to even and clamp
// to sixteen bits.
TEST(Settings, NumbersOfTheDisplayClockAndTheWindowEdges)
{
    const std::pair<const char*, double> numbers[] = {
        {"1", 1}, {" 1.0 ", 1}, {"+1", 1}, {"1e0", 1}, {"01", 1}, {"-0", 0}, {"-7.25", -7.25}};
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(numberValue(text), value) << text;
    }
    for (const char* text : {"", " ", "1,0", "1 0", "+-1", "0x1", "inf", "nan", "1e", "1e400"}) {
        EXPECT_FALSE(numberValue(text)) << text;
    }
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, int> edges[] = {
        {2.5, 2},       {3.5, 4},         {-2.5, -2},   {-3.5, -4},     {1.4999, 1},
        {40000, 32767}, {-40000, -32768}, {inf, 32767}, {-inf, -32768}, {nan, 0}};
    for (const auto& [twips, edge] : edges) {
        EXPECT_EQ(storableEdge(twips), edge) << twips;
    }
}

} // namespace
} // namespace horaloom
