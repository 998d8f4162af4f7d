// A decorated window whose program retitles it through one property, or through both: the new
// title is read as the program's, handed back byte for byte, and no note outlives the restore.
#include "titlerecord.h"
#include "titlestest.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace horaloom {
namespace {

using test::compoundText;
using test::latin1;
using test::PropertyValue;
using test::utf8;

std::string decorated(const std::string& own)
{
    return "00:00:01   " + own;
}

class RetitledWhileDecorated : public test::TitlesTest {
protected:
    // The window's program sets one title property, once our writes are done, and the server
    // has carried it out.
    void programSets(xcb_window_t window, const std::string& name, const PropertyValue& value)
    {
        titles->sync();
        client->setProperty(window, name, value);
        client->sync();
    }

    // The note as a later run would find it, for a window whose own title is these properties
    // and whose decoration ends with title.
    static std::optional<PropertyValue> noteFor(const std::vector<RecordedProperty>& own,
                                                const std::string& title)
    {
        return PropertyValue{"_HORALOOM_OWN_TITLE", 8, encodeTitleRecord({own, title})};
    }
};

struct WmNameRetitle {
    const char* what;
    PropertyValue before;
    PropertyValue after;
    std::string text; // what after reads as
};

TEST_F(RetitledWhileDecorated, WmNameOnlyProgramIsReadAsItsNewTitleAndGetsItBack)
{
    // The decoration of "Caf\xE9" is 15 characters long.
    const std::vector<WmNameRetitle> cases = {
        {"Latin-1, the length of the decoration", latin1("Caf\xE9"),
         latin1("Men\xFC f\xFCr zw\xF6lf!"), "Menü für zwölf!"},
        {"Latin-1, another length", latin1("Caf\xE9"), latin1("Tea"), "Tea"},
        {"COMPOUND_TEXT, another length", compoundText("\x1B-F\xD9mix"),
         compoundText("\x1B$(BF|K\\\x1B(B 2"), "日本 2"},
    };
    ASSERT_EQ(utf8Length(cases[0].text), utf8Length(decorated("Café")));
    for (const WmNameRetitle& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool writtenAgain : {false, true}) {
            SCOPED_TRACE(writtenAgain ? "decorated again before the restore"
                                      : "restored right after the read");
            const xcb_window_t window = client->createWindow({{"WM_NAME", c.before}});
            const std::string own = titles->readTitle(window);
            titles->writeTitle(window, decorated(own));
            programSets(window, "WM_NAME", c.after);

            EXPECT_EQ(utf8Length(titles->readTitle(window)), utf8Length(c.text));
            EXPECT_EQ(titles->readTitle(window), c.text);
            EXPECT_EQ(titles->readTitle(window), c.text); // and stays so
            // Our decoration would hide the new title: it is gone at once, and so is the note.
            const std::vector<std::optional<PropertyValue>> programs = {std::nullopt, c.after};
            EXPECT_EQ(rawTitle(window), programs);
            EXPECT_FALSE(property(window, "_HORALOOM_OWN_TITLE"));
            if (writtenAgain) {
                titles->writeTitle(window, decorated(c.text));
                EXPECT_EQ(titles->readTitle(window), decorated(c.text));
                EXPECT_EQ(property(window, "_HORALOOM_OWN_TITLE"),
                          noteFor({{"WM_NAME", c.after.type, 8, c.after.bytes}}, c.text));
            }

            titles->restoreTitle(window, c.text);
            EXPECT_EQ(rawTitle(window), programs);
            EXPECT_FALSE(property(window, "_HORALOOM_OWN_TITLE"));
        }
    }
}

// A program that set a UTF-8 _NET_WM_NAME once and now sets WM_NAME alone: its new title goes
// into _NET_WM_NAME as UTF-8 on the restore, so that the window shows it.
TEST_F(RetitledWhileDecorated, WmNameRetitleBesideAUtf8NetWmNameIsHandedBackInBoth)
{
    const xcb_window_t window = client->createWindow(
        {{"_NET_WM_NAME", utf8("Letter – Editor")}, {"WM_NAME", latin1("Letter - Editor")}});
    titles->writeTitle(window, decorated(titles->readTitle(window)));
    programSets(window, "WM_NAME", latin1("R\xE9sum\xE9"));

    EXPECT_EQ(titles->readTitle(window), "Résumé");
    titles->restoreTitle(window, "Résumé");
    EXPECT_EQ(rawTitle(window),
              (std::vector<std::optional<PropertyValue>>{utf8("Résumé"), latin1("R\xE9sum\xE9")}));
    EXPECT_FALSE(property(window, "_HORALOOM_OWN_TITLE"));
}

// Our write left in WM_NAME is hidden behind the new _NET_WM_NAME, until the restore, or the
// next start after a run killed right then or after decorating the new title, puts the
// program's WM_NAME back.
TEST_F(RetitledWhileDecorated, NetWmNameRetitleKeepsTheProgramsWmName)
{
    const std::vector<std::optional<PropertyValue>> programs = {utf8("Neu – 新"), latin1("Old")};
    std::vector<xcb_window_t> windows;
    for (int i = 0; i < 3; ++i) {
        windows.push_back(client->createWindow({{"WM_NAME", latin1("Old")}}));
        titles->writeTitle(windows.back(), decorated(titles->readTitle(windows.back())));
        programSets(windows.back(), "_NET_WM_NAME", utf8("Neu – 新"));
        EXPECT_EQ(titles->readTitle(windows.back()), "Neu – 新");
    }
    const xcb_window_t restored = windows[0];
    const xcb_window_t decoratedAgain = windows[2];
    titles->writeTitle(decoratedAgain, decorated("Neu – 新"));

    titles->restoreTitle(restored, "Neu – 新");
    EXPECT_EQ(rawTitle(restored), programs);
    EXPECT_FALSE(property(restored, "_HORALOOM_OWN_TITLE"));

    titles->sync();
    titles.reset();
    XcbWindowTitles nextRun;
    nextRun.recoverAbandonedTitles();
    nextRun.sync();
    for (const xcb_window_t window : {windows[1], decoratedAgain}) {
        EXPECT_EQ(rawTitle(window), programs);
        EXPECT_FALSE(property(window, "_HORALOOM_OWN_TITLE"));
    }
}

TEST_F(RetitledWhileDecorated, NoNoteOutlivesARestoreAfterTheSnapshotWasReplaced)
{
    const xcb_window_t window =
        client->createWindow({{"_NET_WM_NAME", utf8("First")}, {"WM_NAME", latin1("First")}});
    titles->writeTitle(window, decorated(titles->readTitle(window)));
    ASSERT_TRUE(property(window, "_HORALOOM_OWN_TITLE"));

    programSets(window, "_NET_WM_NAME", utf8("Second"));
    programSets(window, "WM_NAME", latin1("Second"));
    EXPECT_EQ(titles->readTitle(window), "Second");
    // Nothing of ours is on the window any more, so neither is the note.
    EXPECT_FALSE(property(window, "_HORALOOM_OWN_TITLE"));

    // Decorated again, the window is noted with its new title; the restore takes the note away.
    titles->writeTitle(window, decorated("Second"));
    EXPECT_EQ(
        property(window, "_HORALOOM_OWN_TITLE"),
        noteFor({{"_NET_WM_NAME", "UTF8_STRING", 8, "Second"}, {"WM_NAME", "STRING", 8, "Second"}},
                "Second"));
    titles->restoreTitle(window, "Second");
    EXPECT_EQ(rawTitle(window),
              (std::vector<std::optional<PropertyValue>>{utf8("Second"), latin1("Second")}));
    EXPECT_FALSE(property(window, "_HORALOOM_OWN_TITLE"));

    // The program puts its own title back over the decoration: the note goes with the decoration.
    titles->writeTitle(window, decorated(titles->readTitle(window)));
    ASSERT_TRUE(property(window, "_HORALOOM_OWN_TITLE"));
    programSets(window, "_NET_WM_NAME", utf8("Second"));
    programSets(window, "WM_NAME", latin1("Second"));
    EXPECT_EQ(titles->readTitle(window), "Second");
    EXPECT_FALSE(property(window, "_HORALOOM_OWN_TITLE"));

    // Replaced and handed back without a write in between: still no note after the restore.
    programSets(window, "_NET_WM_NAME", utf8("Third"));
    programSets(window, "WM_NAME", latin1("Third"));
    titles->writeTitle(window, decorated(titles->readTitle(window)));
    programSets(window, "_NET_WM_NAME", utf8("Fourth"));
    programSets(window, "WM_NAME", latin1("Fourth"));
    EXPECT_EQ(titles->readTitle(window), "Fourth");
    titles->restoreTitle(window, "Fourth");
    EXPECT_FALSE(property(window, "_HORALOOM_OWN_TITLE"));
}

} // namespace
} // namespace horaloom
