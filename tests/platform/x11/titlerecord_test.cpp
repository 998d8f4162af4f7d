// The note a decorated window carries: what goes in must come out, and damage must not pass.
#include "titlerecord.h"

#include <gtest/gtest.h>

namespace horaloom {
namespace {

TEST(TitleRecord, GivesBackEveryPropertyByteForByte)
{
    std::string awkward = "line\nbreak, blank and zero \0 and high \xFF bytes";
    awkward.push_back('\0');
    const std::vector<std::vector<RecordedProperty>> notes = {
        {},
        {{"WM_NAME", "STRING", 8, "Gr\xFC\xDF"}},
        {{"_NET_WM_NAME", "UTF8_STRING", 8, "Grüße"}, {"WM_NAME", "COMPOUND_TEXT", 8, awkward}},
        {{"WM_NAME", "STRING", 8, ""}},
        {{"WM_NAME", "CARDINAL", 32, std::string(8, '\x01')}},
    };
    for (const auto& note : notes) {
        const auto decoded = decodeTitleRecord(encodeTitleRecord(note));
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(*decoded, note);
    }
}

TEST(TitleRecord, RefusesDamagedNotes)
{
    const std::string good = encodeTitleRecord({{"WM_NAME", "STRING", 8, "abc"}});
    ASSERT_TRUE(decodeTitleRecord(good));
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"empty", ""},
        {"someone else's", "WM_NAME STRING 8 3\nabc\n"},
        {"cut short", good.substr(0, good.size() - 2)},
        {"missing final newline", good.substr(0, good.size() - 1)},
        {"count too large", "horaloom-own-title 1\nWM_NAME STRING 8 9\nabc\n"},
        {"count not a number", "horaloom-own-title 1\nWM_NAME STRING 8 x3\nabc\n"},
        {"bad format", "horaloom-own-title 1\nWM_NAME STRING 7 3\nabc\n"},
        {"count not whole items", "horaloom-own-title 1\nWM_NAME CARDINAL 32 3\nabc\n"},
        {"missing type", "horaloom-own-title 1\nWM_NAME 8 3\nabc\n"},
        {"trailing garbage", good + "x"},
    };
    for (const auto& [what, note] : damaged) {
        EXPECT_FALSE(decodeTitleRecord(note)) << what;
    }
}

} // namespace
} // namespace horaloom
