// The foreground window's title asked for in the same round trip as the foreground query: what
// it saves, and that it never shows a title older than the server's.
#include "titlebarwriter.h"
#include "titlestest.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace horaloom {
namespace {

using test::latin1;
using test::utf8;

class TitlePrefetch : public test::TitlesTest {
protected:
    void SetUp() override
    {
        TitlesTest::SetUp();
        if (ready() && !client->windowManagerRunning()) {
            GTEST_SKIP() << "needs the window manager";
        }
    }

    // An active window, already decorated once, as the writer leaves it after its first call.
    xcb_window_t decoratedActiveWindow(const std::string& own)
    {
        const xcb_window_t window = client->createWindow({{"WM_NAME", latin1(own)}});
        EXPECT_TRUE(client->activate(window));
        EXPECT_EQ(titles->foregroundWindow(), window);
        EXPECT_EQ(titles->readTitle(window), own);
        titles->writeTitle(window, "00:00:01   " + own);
        return window;
    }

    // The window's own program gives it a new title, in both properties, and the server has it.
    // Our writes are done first: otherwise one still on its way could land after the program's.
    void retitle(xcb_window_t window, const std::string& title)
    {
        titles->sync();
        client->setProperty(window, "_NET_WM_NAME", utf8(title));
        client->setProperty(window, "WM_NAME", utf8(title));
    }
};

TEST_F(TitlePrefetch, UnchangedCallCostsOneRoundTrip)
{
    const xcb_window_t window = decoratedActiveWindow("Editor");
    std::string shown = "00:00:01   Editor";
    for (const char* next : {"00:00:01   Editor", "00:00:02   Editor", "00:00:02   Editor"}) {
        SCOPED_TRACE(next);
        const std::uint64_t before = titles->roundTrips();
        const WindowId foreground = titles->foregroundWindow();
        const std::string current = titles->readTitle(foreground);
        titles->writeTitle(foreground, next);
        EXPECT_EQ(titles->roundTrips() - before, 1u);
        EXPECT_EQ(foreground, window);
        EXPECT_EQ(current, shown);
        shown = next;
    }

    // The length alone is served from the same replies.
    const std::uint64_t before = titles->roundTrips();
    const WindowId foreground = titles->foregroundWindow();
    EXPECT_EQ(utf8Length(titles->readTitle(foreground)), utf8Length(shown));
    EXPECT_EQ(titles->roundTrips() - before, 1u);
}

TEST_F(TitlePrefetch, WriterCostsOneRoundTripPerUnchangedCallAndTwoAfterASwitch)
{
    const xcb_window_t window = client->createWindow({{"WM_NAME", latin1("Caf\xE9")}});
    ASSERT_TRUE(client->activate(window));
    TitleBarWriter writer(*titles);
    writer.TitleBar("00:00:01", "", 0); // the first call decorates: it costs more

    std::uint64_t before = titles->roundTrips();
    for (int i = 0; i < 5; ++i) {
        writer.TitleBar("00:00:01", "", 0);
    }
    EXPECT_EQ(titles->roundTrips() - before, 5u);
    EXPECT_EQ(writer.CurrentWindow, window);
    EXPECT_EQ(writer.SavedTitle, "Café");
    titles->sync();
    EXPECT_EQ(client->property(window, "WM_NAME"), utf8("00:00:01   Café"));

    // After a switch: the foreground with the old window's title, then the new window's title.
    // The old window is read once, from the replies that came with the foreground.
    const xcb_window_t next = client->createWindow({{"WM_NAME", latin1("Tea")}});
    ASSERT_TRUE(client->activate(next));
    before = titles->roundTrips();
    writer.TitleBar("00:00:02", "", 0);
    EXPECT_EQ(titles->roundTrips() - before, 2u);
    EXPECT_EQ(writer.CurrentWindow, next);
    EXPECT_EQ(rawTitle(window),
              (std::vector<std::optional<test::PropertyValue>>{std::nullopt, latin1("Caf\xE9")}));
    EXPECT_EQ(property(next, "WM_NAME"), utf8("00:00:02   Tea"));
}

// Same length as the decoration or not: a writer that went by the length, or a read answered
// from before the program's change, would keep decorating the old title.
TEST_F(TitlePrefetch, TitleRetitledByItsProgramBetweenCallsIsReadFresh)
{
    struct Case {
        const char* what;
        std::string retitled;
    };
    const std::vector<Case> cases = {
        {"the length of the decoration", "Editor — draft 2!"},
        {"shorter", "Saved"},
        {"longer", "Editor – a much longer title than before"},
    };
    ASSERT_EQ(utf8Length(cases[0].retitled), utf8Length("00:00:01   Editor"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const xcb_window_t window = client->createWindow({{"WM_NAME", latin1("Editor")}});
        ASSERT_TRUE(client->activate(window));
        TitleBarWriter writer(*titles);
        writer.TitleBar("00:00:01", "", 0);
        writer.TitleBar("00:00:01", "", 0);
        ASSERT_EQ(writer.SavedTitle, "Editor");

        retitle(window, c.retitled);
        writer.TitleBar("00:00:01", "", 0);

        EXPECT_EQ(writer.SavedTitle, c.retitled);
        titles->sync();
        EXPECT_EQ(client->property(window, "_NET_WM_NAME"), utf8("00:00:01   " + c.retitled));

        // And the backend alone, with nothing of the writer's in between.
        retitle(window, c.retitled + "!");
        ASSERT_EQ(titles->foregroundWindow(), window);
        EXPECT_EQ(titles->readTitle(window), c.retitled + "!");
        writer.restoreLastWindow();
    }
}

TEST_F(TitlePrefetch, AnythingBetweenQueryAndReadMakesTheReadAskAgain)
{
    const xcb_window_t window = decoratedActiveWindow("Editor");

    // Our own write, sent after the early replies were asked for.
    ASSERT_EQ(titles->foregroundWindow(), window);
    titles->writeTitle(window, "00:00:07   Editor");
    EXPECT_EQ(titles->readTitle(window), "00:00:07   Editor");

    // A restore likewise.
    ASSERT_EQ(titles->foregroundWindow(), window);
    titles->restoreTitle(window, "Editor");
    EXPECT_EQ(titles->readTitle(window), "Editor");
    titles->writeTitle(window, "00:00:08   Editor");

    // The early replies serve one read only: a later one asks the server.
    ASSERT_EQ(titles->foregroundWindow(), window);
    EXPECT_EQ(utf8Length(titles->readTitle(window)), utf8Length("00:00:08   Editor"));
    retitle(window, "Changed after the length was read");
    EXPECT_EQ(titles->readTitle(window), "Changed after the length was read");

    // A second foreground query asks afresh rather than keeping the first one's replies.
    ASSERT_EQ(titles->foregroundWindow(), window);
    retitle(window, "Changed between two queries");
    ASSERT_EQ(titles->foregroundWindow(), window);
    EXPECT_EQ(titles->readTitle(window), "Changed between two queries");
}

TEST_F(TitlePrefetch, ForegroundMovedOnReadsTheNewWindow)
{
    const xcb_window_t first = decoratedActiveWindow("First");
    const xcb_window_t second = client->createWindow({{"WM_NAME", latin1("Second")}});
    ASSERT_TRUE(client->activate(second));

    const std::uint64_t before = titles->roundTrips();
    ASSERT_EQ(titles->foregroundWindow(), second);
    EXPECT_EQ(titles->readTitle(second), "Second");
    EXPECT_EQ(titles->roundTrips() - before, 2u); // the early replies were for the other one
    EXPECT_EQ(titles->readTitle(first), "00:00:01   First");
    EXPECT_EQ(titles->roundTrips() - before, 2u); // and serve its read

    // The early replies for a window that has gone are errors, thrown away like any others.
    ASSERT_TRUE(client->activate(first));
    ASSERT_EQ(titles->foregroundWindow(), first);
    ASSERT_EQ(titles->readTitle(first), "00:00:01   First");
    const xcb_window_t third = client->createWindow({{"WM_NAME", latin1("Third")}});
    client->destroy(first);
    ASSERT_TRUE(client->activate(third));
    ASSERT_EQ(titles->foregroundWindow(), third);
    EXPECT_EQ(titles->readTitle(third), "Third");
    EXPECT_EQ(utf8Length(titles->readTitle(first)), 0);
    EXPECT_TRUE(titles->connected());
}

} // namespace
} // namespace horaloom
