// The title encodings other X programs write, and the note a decorated window carries: no
// display needed.
#include "compoundtext.h"
#include "titlerecord.h"
#include "titletext.h"
#include "windowtitles.h"

#include <gtest/gtest.h>

namespace horaloom {
namespace {

// The escape sequences are the ones Xlib writes, several as xmessage writes them. libX11's own
// decoder differs for the extended segment, the unknown set and escape, the cut-off cases and
// the control characters (see compoundtext.h).
TEST(TitleText, EachEncodingDecodesToCleanUtf8)
{
    const std::tuple<std::string (*)(std::string_view), std::string, std::string> cases[] = {
        {decodeCompoundText, "Gr\xFC\xDF\x65", "Grüße"},
        {decodeCompoundText, "\x1B-L\xBF\xE0\xD8", "При"},
        {decodeCompoundText, "\x1B-b\xA4uro", "€uro"},
        {decodeCompoundText, "\x1B$(BF|K\\8l", "日本語"},
        {decodeCompoundText, "\x1B$(BF|\x1B(B ok", "日 ok"},
        {decodeCompoundText, "\x1B$)C\xC7\xD1", "한"},
        {decodeCompoundText, "\x1B-F\xD9mix\x1B$(BF|K\\", "Ωmix日本"},
        {decodeCompoundText, "a\x1B%G\xE2\x86\x92\x1B%@\xE9", "a→é"},
        {decodeCompoundText, "\x1B%/1\x80\x89koi8-r\x02\xF0\xD2x", "Прx"},
        {decodeCompoundText, "\x9B\x31]ab\x9B]", "ab"},
        {decodeCompoundText, "\x1B-~\xC1\xC2z", "��z"},
        {decodeCompoundText, "a\x1B#5b", "ab"},
        {decodeCompoundText, "ab\x1B$", "ab"},
        {decodeCompoundText, "\x1B$(BF", "�"},
        {decodeCompoundText, std::string("ab\0cd", 5), "ab"},
        {decodeCompoundText, "a\x01\tb\x7F", "a\tb"},
        {cleanUtf8, "Grüße – 🎉", "Grüße – 🎉"},
        {cleanUtf8, "a\x80z", "a�z"},
        {cleanUtf8, "\xC0\xAF", "��"},
        {cleanUtf8, "\xED\xA0\x80", "���"},
        {cleanUtf8, "\xF4\x90\x80\x80", "����"},
        {cleanUtf8, "ab\xE6\x97", "ab��"},
        {cleanUtf8, std::string("ok\0no", 5), "ok"}};
    for (const auto& [decode, bytes, text] : cases) {
        EXPECT_EQ(decode(bytes), text) << text;
    }
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::string latin1 = latin1ToUtf8(all + std::string("\0tail", 5));
    EXPECT_EQ(utf8Length(latin1), 255);
    EXPECT_TRUE(latin1.ends_with("\xC3\xBE\xC3\xBF")); // þ ÿ
}

TEST(TitleRecord, GivesBackEveryPropertyRefusesDamageAndKnowsOnlyOurDecoration)
{
    const TitleRecord note{{{"_NET_WM_NAME", "UTF8_STRING", 8, "Grüße"},
                            {"WM_NAME", "COMPOUND_TEXT", 8, std::string("\0 \xFF\n", 4)},
                            {"WM_NAME", "CARDINAL", 32, std::string(8, '\x01')}},
                           "Grüße"};
    const std::string good = encodeTitleRecord(note);
    EXPECT_EQ(decodeTitleRecord(good), note);
    // As earlier versions wrote it: no decorated title.
    EXPECT_EQ(decodeTitleRecord("horaloom-own-title 1\nWM_NAME STRING 8 3\nabc\n"),
              (TitleRecord{{{"WM_NAME", "STRING", 8, "abc"}}, std::nullopt}));
    const std::string head = "horaloom-own-title 1\nWM_NAME ";
    for (const std::string& damaged :
         {std::string("WM_NAME STRING 8 3\nabc\n"), good.substr(0, good.size() - 1), good + "x",
          head + "STRING 8 9\nabc\n", head + "STRING 7 3\nabc\n", head + "CARDINAL 32 3\nabc\n",
          head + "8 3\nabc\n"}) {
        EXPECT_FALSE(decodeTitleRecord(damaged)) << damaged;
    }
    for (const auto& [text, ours] : {std::pair{"00:00:05   Inbox", true},
                                     {"99:59:59   3:04:05 PM    Inbox", true},
                                     {"   Inbox", true},
                                     {"00:00:05       Inbox", true},
                                     {"00:00:05   (1) Inbox", false},
                                     {"00:00:05   Inbox (1)", false},
                                     {"00:00:05  Inbox", false},
                                     {"0:00:05   Inbox", false},
                                     {"00:0a:05   Inbox", false},
                                     {"00:00:05   3:04 PM   Inbox", false}}) {
        EXPECT_EQ(isDecorationOf(text, "Inbox"), ours) << text;
    }
}

} // namespace
} // namespace horaloom
