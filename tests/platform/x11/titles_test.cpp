// The X11 backend against a real X server, as other programs' windows meet it: ctest runs the
// binary in a private desktop with a window manager and in one without, where the
// WithWindowManager and NoWindowManager cases run in theirs only. The soak (tests/soak) drives the
// usual encodings, vanishing windows and kills at random; these are the cases it never makes.
#include "x11client.h"
#include "xcbdisplayclaim.h"
#include "xcbwindowtitles.h"

#include <gtest/gtest.h>

#include <poll.h>

namespace horaloom::test {
namespace {

using Outcome = XcbDisplayClaim::Outcome;

// Skips the WithWindowManager cases in a desktop without one, the NoWindowManager ones in one
// with a window manager.
class Titles : public testing::Test {
protected:
    static std::string decorated(const std::string& own) { return "00:00:01   " + own; }
    void SetUp() override
    {
        if (!client.connected()) {
            GTEST_SKIP() << "needs an X display; ctest runs this in scripts/desktop-session";
        }
        const std::string suite = testing::UnitTest::GetInstance()->current_test_suite()->name();
        if (suite != "Titles" && client.windowManagerRunning() != (suite == "WithWindowManager")) {
            GTEST_SKIP() << "needs another desktop";
        }
    }
    // The window's own title as it was, or as its program has set it since, and no note left.
    void expectOwn(xcb_window_t window, const Title& own)
    {
        titles->sync();
        EXPECT_EQ(client.title(window), own);
        EXPECT_FALSE(client.property(window, "_HORALOOM_OWN_TITLE")) << "a note outlived it";
    }
    // Every event the server has sent so far is taken in and reported.
    void settle()
    {
        titles->sync();
        titles->readEvents();
    }
    // The run is killed without handing anything back; the next one starts.
    void killAndRestart()
    {
        titles->sync();
        titles = std::make_unique<XcbWindowTitles>();
        titles->recoverAbandonedTitles();
    }

    X11Client client;
    std::unique_ptr<XcbWindowTitles> titles = std::make_unique<XcbWindowTitles>();
    int changes = 0; // reported, once a test has set the handler
};
using WithWindowManager = Titles;
using NoWindowManager = Titles;

TEST_F(Titles, OddTitlesAreReadDecoratedAndHandedBackByteForByte)
{
    const std::vector<std::pair<std::vector<Named>, std::string>> cases = {
        {{{"_NET_WM_NAME", utf8("")}, {"WM_NAME", latin1("x")}}, ""},
        {{{"WM_NAME", utf8("a\xFF\xFE\x62")}}, "a��b"},
        {{}, ""},
    };
    for (const auto& [properties, text] : cases) {
        SCOPED_TRACE(text);
        const xcb_window_t window = client.createWindow(properties);
        const Title own = client.title(window);
        ASSERT_EQ(titles->readTitle(window), text);
        titles->writeTitle(window, decorated(text));
        EXPECT_EQ(titles->readTitle(window), decorated(text)); // leaves the restore point be
        titles->restoreTitle(window, text);
        expectOwn(window, own);
    }
}

// The soak writes to windows gone since the last tick; this is what a gone window answers.
TEST_F(Titles, VanishedWindowAnswersAsNoWindow)
{
    const xcb_window_t window = client.createWindow({{"WM_NAME", latin1("Gone soon")}});
    titles->writeTitle(window, decorated(titles->readTitle(window)));
    client.destroy(window);
    EXPECT_EQ(titles->readTitle(window), "");
    // The errors cost nothing but themselves: the connection still serves other windows.
    EXPECT_EQ(titles->readTitle(client.createWindow({{"WM_NAME", latin1("Alive")}})), "Alive");
}

// The program drops a backend that is not connected, and falls back on a lock for the claim.
TEST(NoDisplay, NothingIsConnectedOrClaimed)
{
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    XcbWindowTitles titles;
    XcbDisplayClaim claim;
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_FALSE(titles.connected());
    EXPECT_EQ(claim.claim(), Outcome::NoDisplay);
}

// A program retitles its decorated window through one property where the other holds a title of
// its own (the soak's programs set WM_NAME alone or both). Read by this run, the new title is
// the program's and is kept when handed back, at once or after a new decoration; set after a
// kill, the next start keeps it, as it keeps a renewed note's title. No note outlives either.
TEST_F(Titles, RetitleByTheProgramIsReadAndKept)
{
    struct Case {
        std::vector<Named> own;   // what the program set at first
        std::vector<Named> since; // what it sets while the window is decorated
        std::string text;         // what that reads as
        Title handedBack;
        bool atOnce; // the window shows it once read: nothing of ours hides it
    };
    const std::vector<Case> cases = {
        // Beside a UTF-8 _NET_WM_NAME the new title goes there too, so that it shows.
        {{{"_NET_WM_NAME", utf8("Letter – Editor")}, {"WM_NAME", latin1("Letter - Editor")}},
         {{"WM_NAME", latin1("R\xE9sum\xE9")}},
         "Résumé",
         {utf8("Résumé"), latin1("R\xE9sum\xE9")},
         true},
        // Our WM_NAME hides behind the new _NET_WM_NAME until the program's comes back.
        {{{"WM_NAME", latin1("Old")}},
         {{"_NET_WM_NAME", utf8("Neu – 新")}},
         "Neu – 新",
         {utf8("Neu – 新"), latin1("Old")},
         false},
    };
    for (const Case& c : cases) {
        for (const bool decoratedAgain : {false, true}) {
            for (const bool killed : {false, true}) {
                SCOPED_TRACE(c.text + (decoratedAgain ? ", decorated again" : "") +
                             (killed ? ", killed" : ""));
                const xcb_window_t window = client.createWindow(c.own);
                titles->writeTitle(window, decorated(titles->readTitle(window)));
                titles->sync(); // our writes land before the program's
                for (const auto& [name, value] : c.since) {
                    client.setProperty(window, name, value);
                }
                if (!killed || decoratedAgain) { // else killed before the run read it
                    EXPECT_EQ(titles->readTitle(window), c.text);
                    titles->sync();
                    EXPECT_EQ(client.title(window) == c.handedBack, c.atOnce);
                }
                if (decoratedAgain) {
                    titles->writeTitle(window, decorated(c.text));
                    EXPECT_EQ(titles->readTitle(window), decorated(c.text));
                }
                if (killed) {
                    killAndRestart();
                } else {
                    titles->restoreTitle(window, c.text);
                }
                expectOwn(window, c.handedBack);
            }
        }
    }
}

// The active client is the foreground, its title read as it stands. Watched, the program's
// retitles are reported, our own writes are not (a new foreground reported at once, title_follow
// shows in the desktop tests).
TEST_F(WithWindowManager, ForegroundIsTheActiveClientAndItsChangesAreReported)
{
    const xcb_window_t first = client.createWindow({{"_NET_WM_NAME", utf8("First")}});
    const xcb_window_t second = client.createWindow({{"WM_NAME", latin1("Second")}});
    ASSERT_TRUE(client.activate(first));
    ASSERT_EQ(titles->foregroundWindow(), first); // the client, not its frame
    titles->writeTitle(first, decorated(titles->readTitle(first)));
    ASSERT_TRUE(client.activate(second));
    ASSERT_EQ(titles->foregroundWindow(), second);
    EXPECT_EQ(titles->readTitle(second), "Second"); // not the title asked for with the query
    EXPECT_EQ(titles->readTitle(first), decorated("First"));
    // Changed after a read, or between two queries: read as it stands.
    for (const char* title : {"Changed after the read", "Changed between two queries"}) {
        ASSERT_EQ(titles->foregroundWindow(), second);
        client.setProperty(second, "WM_NAME", latin1(title));
        ASSERT_EQ(titles->foregroundWindow(), second);
        EXPECT_EQ(titles->readTitle(second), title);
    }
    titles->setChangeHandler([this] { ++changes; });
    titles->writeTitle(second, "00:00:01   Second");
    settle();
    changes = 0;
    ASSERT_EQ(titles->foregroundWindow(), second);
    EXPECT_EQ(titles->readTitle(second), "00:00:01   Second");
    titles->writeTitle(second, "00:00:02   Second");
    settle();
    EXPECT_EQ(changes, 0) << "our own write came back as a change";
    client.setProperty(second, "_NET_WM_NAME", utf8("(1) Second"));
    settle();
    EXPECT_EQ(changes, 1) << "the program's retitle was not reported";
    ASSERT_EQ(titles->foregroundWindow(), second);
    EXPECT_EQ(titles->readTitle(second), "(1) Second");
    // A window given its title back is watched no more.
    titles->restoreTitle(second, "(1) Second");
    settle();
    changes = 0;
    client.setProperty(second, "_NET_WM_NAME", utf8("(2) Second"));
    settle();
    EXPECT_EQ(changes, 0);
}

// One Horaloom per X screen: the claim, and a later start asking the holder to come forward.
// That a killed holder's claim is free again, the desktop tests' next start after a kill shows.
TEST_F(Titles, DisplayIsClaimedOnceAndALaterStartAsksTheHolderForward)
{
    // Waits until the claim's connection has something to read, then takes it.
    const auto nextRequest = [](XcbDisplayClaim& claim) {
        pollfd watched{claim.fileDescriptor(), POLLIN, 0};
        return poll(&watched, 1, 5000) == 1 && claim.takeComeForwardRequests();
    };
    XcbDisplayClaim first;
    ASSERT_EQ(first.claim(), Outcome::Claimed);
    EXPECT_EQ(first.claim(), Outcome::Claimed);
    EXPECT_FALSE(first.askOwnerToComeForward()); // the holder has nobody to ask
    client.send(first.ownerWindow(), first.ownerWindow(), "_NET_ACTIVE_WINDOW");
    EXPECT_FALSE(nextRequest(first)) << "a message of another type counted as a request";
    XcbDisplayClaim second;
    ASSERT_EQ(second.claim(), Outcome::HeldByAnother);
    EXPECT_EQ(second.ownerWindow(), first.ownerWindow());
    EXPECT_TRUE(second.askOwnerToComeForward());
    EXPECT_TRUE(nextRequest(first));
    EXPECT_FALSE(first.takeComeForwardRequests()); // each request is taken once
}

// Without a window manager: the focused window's client, found by climbing to the window with
// WM_STATE or into a frame without it, else the one under the pointer; the next start finds the
// top-level clients and those in frames.
TEST_F(NoWindowManager, ForegroundIsTheFocusedClientOrTheOneUnderThePointer)
{
    titles->setChangeHandler([this] { ++changes; });
    // What a window manager sets on the clients it manages.
    const Named wmState{"WM_STATE", {"WM_STATE", 32, std::string("\1\0\0\0\0\0\0\0", 8)}};
    const xcb_window_t top = client.createWindow({{"WM_NAME", latin1("Caf\xE9")}, wmState});
    const xcb_window_t inner = client.createWindow({}, {.parent = top});
    const xcb_window_t frame = client.createWindow({}, {.x = 300});
    const xcb_window_t framed =
        client.createWindow({{"_NET_WM_NAME", utf8("Framed")}, wmState}, {.parent = frame});
    const auto focus = [this](xcb_window_t window) {
        xcb_set_input_focus(client.connection(), XCB_INPUT_FOCUS_NONE, window, XCB_CURRENT_TIME);
        client.sync();
    };
    for (const auto& [focused, foreground] : {std::pair{top, top},
                                              {inner, top},
                                              {client.createWindow({}, {.parent = inner}), top},
                                              {frame, framed},
                                              {client.createWindow({}, {.x = 600}), XCB_NONE},
                                              {XCB_NONE, XCB_NONE}}) {
        focus(focused);
        EXPECT_EQ(titles->foregroundWindow(), foreground) << focused;
    }
    focus(XCB_INPUT_FOCUS_POINTER_ROOT);
    for (const auto& [x, under] : {std::pair{50, top}, {350, framed}, {1000, XCB_NONE}}) {
        xcb_warp_pointer(client.connection(), XCB_NONE, client.root(), 0, 0, 0, 0,
                         static_cast<std::int16_t>(x), 50);
        client.sync();
        EXPECT_EQ(titles->foregroundWindow(), under) << "pointer at " << x;
    }
    // The focused client is read afresh, and losing the focus is reported.
    titles->writeTitle(framed, decorated(titles->readTitle(framed)));
    focus(top);
    ASSERT_EQ(titles->foregroundWindow(), top);
    titles->writeTitle(top, decorated(titles->readTitle(top)));
    titles->sync();
    client.setProperty(top, "WM_NAME", utf8("Caf\xC3\xA9 — draft 2!")); // the decoration's length
    ASSERT_EQ(titles->foregroundWindow(), top);
    EXPECT_EQ(titles->readTitle(top), "Café — draft 2!");
    titles->writeTitle(top, decorated("Café — draft 2!"));
    settle();
    changes = 0;
    focus(frame);
    settle();
    EXPECT_GE(changes, 1);
    killAndRestart();
    expectOwn(top, {std::nullopt, utf8("Café — draft 2!")});
    expectOwn(framed, {utf8("Framed"), std::nullopt});
}

} // namespace
} // namespace horaloom::test
