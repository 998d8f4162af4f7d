// Decoding the title encodings other X programs write.
#include "compoundtext.h"
#include "titletext.h"
#include "windowtitles.h"

#include <gtest/gtest.h>

namespace horaloom {
namespace {

struct DecodeCase {
    const char* what;
    std::string bytes;
    std::string text;
};

void PrintTo(const DecodeCase& c, std::ostream* out)
{
    *out << c.what;
}

class CompoundTextDecoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(CompoundTextDecoding, GivesTheText)
{
    EXPECT_EQ(decodeCompoundText(GetParam().bytes), GetParam().text);
}

// The escape sequences are the ones Xlib writes; several cases are xmessage's own output.
// libX11's own decoder gives other text for the extended segment, the unknown set and escape,
// the two cut-off cases and the control characters (see compoundtext.h).
INSTANTIATE_TEST_SUITE_P(
    , CompoundTextDecoding,
    testing::Values(DecodeCase{"plain ASCII", "Letter - Editor", "Letter - Editor"},
                    DecodeCase{"Latin-1 right half without escape",
                               "Gr\xFC\xDF"
                               "e",
                               "Grüße"},
                    DecodeCase{"Latin-1 right half designated", "\x1B-A\xE9t\xE9", "été"},
                    DecodeCase{"Greek (ESC - F)", "\x1B-F\xD9\xEC\xDD\xE3\xE1", "Ωμέγα"},
                    DecodeCase{"Cyrillic (ESC - L)", "\x1B-L\xBF\xE0\xD8\xD2\xD5\xE2", "Привет"},
                    DecodeCase{"Latin-9 euro sign (ESC - b)", "\x1B-b\xA4uro", "€uro"},
                    DecodeCase{"JIS X 0208 on the left half", "\x1B$(BF|K\\8l", "日本語"},
                    DecodeCase{"back to ASCII after JIS", "\x1B$(BF|\x1B(B ok", "日 ok"},
                    DecodeCase{"KS C 5601 on the right half", "\x1B$)C\xC7\xD1", "한"},
                    DecodeCase{"Greek then Japanese, as xmessage mixes them",
                               "\x1B-F\xD9mix\x1B$(BF|K\\", "Ωmix日本"},
                    DecodeCase{"UTF-8 segment", "a\x1B%G\xE2\x86\x92\x1B%@\xE9", "a→é"},
                    DecodeCase{"UTF-8 segment left open", "\x1B%G\xF0\x9F\x8E\x89!", "🎉!"},
                    DecodeCase{"extended segment",
                               "\x1B%/1\x80\x89"
                               "koi8-r\x02\xF0\xD2"
                               "x",
                               "Прx"},
                    DecodeCase{"direction marks are skipped",
                               "\x9B"
                               "1]ab\x9B]",
                               "ab"},
                    DecodeCase{"unknown 96-set keeps one mark per character", "\x1B-~\xC1\xC2z",
                               "��z"},
                    DecodeCase{"unknown escape is skipped", "a\x1B#5b", "ab"},
                    DecodeCase{"escape cut off at the end", "ab\x1B$", "ab"},
                    DecodeCase{"two-byte character cut off", "\x1B$(BF", "�"},
                    DecodeCase{"text ends at a zero byte", std::string("ab\0cd", 5), "ab"},
                    DecodeCase{"other control characters carry no text", "a\x01\tb\x7F", "a\tb"}));

class PlainTitleDecoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(PlainTitleDecoding, GivesCleanUtf8)
{
    EXPECT_EQ(cleanUtf8(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    , PlainTitleDecoding,
    testing::Values(DecodeCase{"valid text stays", "Grüße – 日本 🎉", "Grüße – 日本 🎉"},
                    DecodeCase{"stray continuation byte", "a\x80z", "a�z"},
                    DecodeCase{"Latin-1 byte in UTF-8", "caf\xE9!", "caf�!"},
                    DecodeCase{"overlong slash", "\xC0\xAF", "��"},
                    DecodeCase{"surrogate", "\xED\xA0\x80", "���"},
                    DecodeCase{"beyond U+10FFFF", "\xF4\x90\x80\x80", "����"},
                    DecodeCase{"sequence cut off at the end", "ab\xE6\x97", "ab��"},
                    DecodeCase{"text ends at a zero byte", std::string("ok\0no", 5), "ok"}));

TEST(Latin1Decoding, MapsEveryByteToItsCodePointAndStopsAtZero)
{
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::string text = latin1ToUtf8(all + std::string("\0tail", 5));
    EXPECT_EQ(utf8Length(text), 255);
    EXPECT_EQ(cleanUtf8(text), text);
    EXPECT_EQ(text.substr(text.size() - 4), "\xC3\xBE\xC3\xBF"); // þ ÿ
}

TEST(CleanUtf8, CleanedTextKeepsItsLengthWhenCleanedAgain)
{
    const std::string messy = "x\xFF\xC3(\xE2\x82 \xF0\x9F\x8E\x89";
    const std::string once = cleanUtf8(messy);
    EXPECT_EQ(cleanUtf8(once), once);
    EXPECT_EQ(utf8Length(once), 8);
}

} // namespace
} // namespace horaloom
