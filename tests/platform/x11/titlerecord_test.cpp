// The note a decorated window carries: what goes in must come out, damage must not pass, and
// only our own decoration reads as ours.
#include "titlerecord.h"

#include <gtest/gtest.h>

namespace horaloom {
namespace {

TEST(TitleRecord, GivesBackEveryPropertyByteForByte)
{
    std::string awkward = "line\nbreak, blank and zero \0 and high \xFF bytes";
    awkward.push_back('\0');
    const std::vector<TitleRecord> notes = {
        {},
        {{{"WM_NAME", "STRING", 8, "Gr\xFC\xDF"}}, "Grüß"},
        {{{"_NET_WM_NAME", "UTF8_STRING", 8, "Grüße"}, {"WM_NAME", "COMPOUND_TEXT", 8, awkward}},
         "Grüße"},
        {{{"WM_NAME", "STRING", 8, ""}}, ""},
        {{{"WM_NAME", "CARDINAL", 32, std::string(8, '\x01')}}, std::nullopt},
    };
    for (const auto& note : notes) {
        const auto decoded = decodeTitleRecord(encodeTitleRecord(note));
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(*decoded, note);
    }
}

TEST(TitleRecord, ReadsANoteWithoutTheDecoratedTitle)
{
    const auto decoded = decodeTitleRecord("horaloom-own-title 1\nWM_NAME STRING 8 3\nabc\n");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, (TitleRecord{{{"WM_NAME", "STRING", 8, "abc"}}, std::nullopt}));
}

TEST(TitleRecord, RefusesDamagedNotes)
{
    const std::string good = encodeTitleRecord({{{"WM_NAME", "STRING", 8, "abc"}}, "abc"});
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

TEST(TitleRecord, OnlyTheWritersOwnDecorationOfTheTitleIsOurs)
{
    const std::string title = "Inbox - Chat";
    const std::vector<std::pair<std::string, bool>> cases = {
        {"00:00:05   Inbox - Chat", true},
        {"99:59:59   3:04:05 PM    Inbox - Chat", true},
        {"   Inbox - Chat", true},             // before the first count step
        {"00:00:05       Inbox - Chat", true}, // an empty time of day
        {"Inbox - Chat", false},
        {"(1) Inbox - Chat", false},
        {"00:00:05   (1) Inbox - Chat", false},
        {"00:00:05   Inbox - Chat (1)", false},
        {"00:00:05  Inbox - Chat", false},
        {"0:00:05   Inbox - Chat", false},
        {"00:0a:05   Inbox - Chat", false},
        {"00:00:05   3:04:05 PM   Inbox - Chat", false},
    };
    for (const auto& [text, ours] : cases) {
        EXPECT_EQ(isDecorationOf(text, title), ours) << '"' << text << '"';
    }
}

} // namespace
} // namespace horaloom
