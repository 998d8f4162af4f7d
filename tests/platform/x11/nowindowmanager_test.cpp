// The X11 title backend on a bare X server: no window manager, so no _NET_ACTIVE_WINDOW and no
// client list. ctest runs these in a session started with HORALOOM_SESSION_NO_WM=1.
#include "titlestest.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace horaloom {
namespace {

using test::latin1;
using test::utf8;

class NoWindowManager : public testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X display; ctest runs this in scripts/desktop-session";
        }
        client = std::make_unique<test::XcbTestClient>();
        ASSERT_TRUE(client->connected());
        if (client->windowManagerRunning()) {
            GTEST_SKIP() << "needs a desktop without a window manager";
        }
    }

    std::unique_ptr<test::XcbTestClient> client;
    XcbWindowTitles titles;
};

TEST_F(NoWindowManager, FocusClimbsToTheWindowCarryingWmState)
{
    const xcb_window_t client1 = client->createWindow({{"WM_NAME", latin1("Client")}}, true);
    const xcb_window_t inner = client->createChild(client1);
    const xcb_window_t deeper = client->createChild(inner);

    for (const xcb_window_t focused : {client1, inner, deeper}) {
        client->focus(focused);
        EXPECT_EQ(titles.foregroundWindow(), client1) << "focus on " << focused;
    }
    EXPECT_EQ(titles.readTitle(titles.foregroundWindow()), "Client");
}

TEST_F(NoWindowManager, FocusedWindowRetitledBetweenCallsIsReadFresh)
{
    const xcb_window_t window = client->createWindow({{"WM_NAME", latin1("Editor")}}, true);
    client->focus(window);
    ASSERT_EQ(titles.foregroundWindow(), window);
    titles.writeTitle(window, "00:00:01   " + titles.readTitle(window));
    titles.sync(); // so that the program's title below lands after our write

    // The program retitles it to a title of the decoration's length, in both properties.
    client->setProperty(window, "_NET_WM_NAME", utf8("Editor — draft 2!"));
    client->setProperty(window, "WM_NAME", utf8("Editor — draft 2!"));
    ASSERT_EQ(titles.foregroundWindow(), window);
    const std::uint64_t before = titles.roundTrips();
    EXPECT_EQ(titles.readTitle(window), "Editor — draft 2!");
    EXPECT_EQ(titles.roundTrips(), before); // asked for with the focus, before the climb

    client->setProperty(window, "_NET_WM_NAME", utf8("Saved"));
    ASSERT_EQ(titles.foregroundWindow(), window);
    EXPECT_EQ(titles.readTitle(window), "Saved");
}

TEST_F(NoWindowManager, FocusOnAFrameFindsTheClientInside)
{
    const xcb_window_t frame = client->createWindow({}, false);
    const xcb_window_t inside = client->createChild(frame);
    client->setProperty(inside, "WM_STATE", {"WM_STATE", 32, std::string(8, '\0')});

    client->focus(frame);
    EXPECT_EQ(titles.foregroundWindow(), inside);
}

TEST_F(NoWindowManager, PointerRootFocusMeansTheWindowUnderThePointer)
{
    const xcb_window_t left = client->createWindow({{"WM_NAME", latin1("Left")}}, true, 0, 0);
    const xcb_window_t right = client->createWindow({{"WM_NAME", latin1("Right")}}, true, 600, 0);
    client->focus(XCB_INPUT_FOCUS_POINTER_ROOT);

    client->movePointer(650, 50);
    EXPECT_EQ(titles.foregroundWindow(), right);
    client->movePointer(50, 50);
    EXPECT_EQ(titles.foregroundWindow(), left);
    client->movePointer(1000, 700); // the bare root
    EXPECT_EQ(titles.foregroundWindow(), 0u);
}

TEST_F(NoWindowManager, NoClientInFocusIsNoWindow)
{
    const xcb_window_t bare = client->createWindow({{"WM_NAME", latin1("No WM_STATE")}}, false);
    client->focus(bare);
    EXPECT_EQ(titles.foregroundWindow(), 0u);
    client->focus(XCB_NONE);
    EXPECT_EQ(titles.foregroundWindow(), 0u);
}

TEST_F(NoWindowManager, RecoveryFindsTopLevelWindowsAndClientsInFrames)
{
    const xcb_window_t topLevel = client->createWindow({{"WM_NAME", latin1("Caf\xE9")}}, true);
    const xcb_window_t frame = client->createWindow({}, false);
    const xcb_window_t framed = client->createChild(frame);
    client->setProperty(framed, "_NET_WM_NAME", utf8("Framed"));
    const auto topLevelOriginal = client->property(topLevel, "WM_NAME");
    {
        XcbWindowTitles killedRun;
        for (const xcb_window_t window : {topLevel, framed}) {
            killedRun.writeTitle(window, "00:00:09   " + killedRun.readTitle(window));
        }
        killedRun.sync();
    }

    titles.recoverAbandonedTitles();
    titles.sync();

    EXPECT_EQ(client->property(topLevel, "WM_NAME"), topLevelOriginal);
    EXPECT_FALSE(client->property(topLevel, "_NET_WM_NAME"));
    EXPECT_EQ(client->property(framed, "_NET_WM_NAME"), utf8("Framed"));
    EXPECT_FALSE(client->property(framed, "WM_NAME"));
    EXPECT_FALSE(client->property(topLevel, "_HORALOOM_OWN_TITLE"));
    EXPECT_FALSE(client->property(framed, "_HORALOOM_OWN_TITLE"));
}

// Without a window manager the foreground is the focus: losing it is the change.
TEST_F(NoWindowManager, FocusLeavingTheDecoratedWindowIsReported)
{
    int changes = 0;
    titles.setChangeHandler([&changes] { ++changes; });
    const xcb_window_t first = client->createWindow({{"WM_NAME", latin1("First")}}, true);
    const xcb_window_t second = client->createWindow({{"WM_NAME", latin1("Second")}}, true);
    client->focus(first);
    ASSERT_EQ(titles.foregroundWindow(), first);
    titles.writeTitle(first, "00:00:01   First");
    titles.sync();
    client->focus(second);
    test::pumpEvents(titles, 2000, [&] { return changes > 0; });
    EXPECT_GE(changes, 1);
}

} // namespace
} // namespace horaloom
