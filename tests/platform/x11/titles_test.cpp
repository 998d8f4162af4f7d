// The X11 backend against a real X server, as other programs' windows meet it: ctest runs the
// binary in a private desktop with a window manager, and the NoWindowManager cases in one
// without.
#include "x11client.h"
#include "xcbdisplayclaim.h"
#include "xcbwindowtitles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace horaloom::test {
namespace {

using Outcome = XcbDisplayClaim::Outcome;

std::string decorated(const std::string& own)
{
    return "00:00:01   " + own;
}

class Titles : public testing::Test {
protected:
    void SetUp() override
    {
        if (!client.connected()) {
            GTEST_SKIP() << "needs an X display; ctest runs this in scripts/desktop-session";
        }
    }
    // As the server holds it once every write of ours has been carried out.
    Title raw(xcb_window_t window)
    {
        titles->sync();
        return client.title(window);
    }
    bool noted(xcb_window_t window)
    {
        titles->sync();
        return client.property(window, "_HORALOOM_OWN_TITLE").has_value();
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
};

class WithWindowManager : public Titles {
    void SetUp() override
    {
        Titles::SetUp();
        if (!IsSkipped() && !client.windowManagerRunning()) {
            GTEST_SKIP() << "needs the window manager";
        }
    }
};

class NoWindowManager : public Titles {
    void SetUp() override
    {
        Titles::SetUp();
        if (!IsSkipped() && client.windowManagerRunning()) {
            GTEST_SKIP() << "needs a desktop without a window manager";
        }
    }
};

// The soak makes the usual encodings; these are the odd ones.
TEST_F(Titles, OddTitlesAreReadDecoratedAndHandedBackByteForByte)
{
    const std::vector<std::pair<std::vector<Named>, std::string>> cases = {
        {{{"WM_NAME", compoundText("\x1B$(BF|K\\\x1B-F\xD9")}}, "日本Ω"},
        {{{"_NET_WM_NAME", utf8("")}, {"WM_NAME", latin1("x")}}, ""},
        {{{"WM_NAME", utf8("a\xFF\xFE"
                           "b")}},
         "a��b"},
        {{}, ""},
    };
    for (const auto& [properties, text] : cases) {
        const xcb_window_t window = client.createWindow(properties);
        const Title own = client.title(window);
        ASSERT_EQ(titles->readTitle(window), text);
        titles->writeTitle(window, decorated(text));
        EXPECT_EQ(raw(window), (Title{utf8(decorated(text)), utf8(decorated(text))})) << text;
        EXPECT_EQ(titles->readTitle(window), decorated(text)); // leaves the restore point be
        titles->restoreTitle(window, text);
        EXPECT_EQ(raw(window), own) << text;
        EXPECT_FALSE(noted(window)) << text;
    }
}

TEST_F(Titles, TitleLongerThanOneRequestGoesAndComesBackWhole)
{
    std::string own;
    for (int i = 0; i < 100000; ++i) {
        own += "日"; // 300000 bytes: more than one request carries without BIG-REQUESTS
    }
    const xcb_window_t window = client.createWindow({{"_NET_WM_NAME", utf8(own)}});
    ASSERT_EQ(titles->readTitle(window), own);
    titles->writeTitle(window, decorated(own));
    EXPECT_TRUE(raw(window) == (Title{utf8(decorated(own)), utf8(decorated(own))}));
    titles->restoreTitle(window, own);
    EXPECT_TRUE(raw(window) == (Title{utf8(own), std::nullopt}));
}

TEST_F(Titles, VanishedWindowAnswersAsNoWindow)
{
    const xcb_window_t window = client.createWindow({{"WM_NAME", latin1("Gone soon")}});
    titles->writeTitle(window, decorated(titles->readTitle(window)));
    client.destroy(window);
    EXPECT_EQ(titles->readTitle(window), "");
    titles->writeTitle(window, "x");
    titles->restoreTitle(window, "x");
    titles->restoreAll();
    EXPECT_EQ(titles->readTitle(0xFFFFFFFFFFull), "");
    // The errors cost nothing but themselves: the connection still serves other windows.
    EXPECT_EQ(titles->readTitle(client.createWindow({{"WM_NAME", latin1("Alive")}})), "Alive");
}

TEST(NoDisplay, EveryWindowIsNoWindowAndNothingIsClaimed)
{
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    XcbWindowTitles titles;
    XcbDisplayClaim claim;
    if (display) {
        setenv("DISPLAY", saved.c_str(), 1);
    }
    EXPECT_EQ(titles.foregroundWindow(), 0u);
    EXPECT_EQ(titles.readTitle(42), "");
    titles.writeTitle(42, "x");
    titles.restoreTitle(42, "x");
    titles.recoverAbandonedTitles();
    titles.restoreAll();
    EXPECT_EQ(claim.claim(), Outcome::NoDisplay);
}

// A program retitles its decorated window through one property where the other holds a title of
// its own (the soak's programs set WM_NAME alone or both): the new title is read as its own and
// kept, whether handed back at once, after being decorated again, or by the next start after a
// kill; and no note outlives the hand-back.
TEST_F(Titles, RetitleByTheProgramIsReadAndKept)
{
    struct Case {
        std::vector<Named> own;   // what the program set at first
        std::vector<Named> since; // what it sets while the window is decorated
        std::string text;         // what that reads as
        Title handedBack;
        bool atOnce; // the window shows it at once: nothing of ours hides it
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
        for (const char* end : {"handed back at once", "decorated again", "killed"}) {
            SCOPED_TRACE(c.text + ", " + end);
            const xcb_window_t window = client.createWindow(c.own);
            titles->writeTitle(window, decorated(titles->readTitle(window)));
            titles->sync(); // our writes land before the program's
            for (const auto& [name, value] : c.since) {
                client.setProperty(window, name, value);
            }
            EXPECT_EQ(titles->readTitle(window), c.text);
            EXPECT_EQ(titles->readTitle(window), c.text);
            EXPECT_EQ(raw(window) == c.handedBack, c.atOnce);
            if (end != std::string("handed back at once")) {
                titles->writeTitle(window, decorated(c.text));
                EXPECT_EQ(titles->readTitle(window), decorated(c.text));
            }
            if (end == std::string("killed")) {
                killAndRestart();
            } else {
                titles->restoreTitle(window, c.text);
            }
            EXPECT_EQ(raw(window), c.handedBack);
            EXPECT_FALSE(noted(window));
        }
    }
}

// A run killed while these windows were decorated, and what their programs did before the next
// start: each property that still holds our decoration gets the window's own value back, one
// the program has set since keeps the program's.
TEST_F(Titles, NextStartHandsBackOnlyWhatStillHoldsOurDecoration)
{
    struct Case {
        std::vector<Named> own;
        std::string decoration;
        std::vector<Named> since;
        Title expected;
    };
    const Property letter = utf8("Letter – Editor");
    const std::vector<Case> cases = {
        {{{"_NET_WM_NAME", letter}, {"WM_NAME", latin1("Letter")}},
         "00:00:01   3:04:05 PM    Letter – Editor",
         {},
         {letter, latin1("Letter")}},
        {{{"WM_NAME", latin1("Hello")}},
         decorated("Hello"),
         {{"WM_NAME", latin1("Other")}},
         {std::nullopt, latin1("Other")}},
        {{{"_NET_WM_NAME", letter}, {"WM_NAME", latin1("Letter")}},
         decorated("Letter – Editor"),
         {{"WM_NAME", latin1("R\xE9sum\xE9")}},
         {utf8("Résumé"), latin1("R\xE9sum\xE9")}},
        {{{"_NET_WM_NAME", utf8("Old")}, {"WM_NAME", latin1("Old")}},
         decorated("Old"),
         {{"_NET_WM_NAME", utf8("New")}},
         {utf8("New"), latin1("Old")}},
    };
    std::vector<xcb_window_t> windows;
    for (const Case& c : cases) {
        windows.push_back(client.createWindow(c.own));
        titles->readTitle(windows.back());
        titles->writeTitle(windows.back(), c.decoration);
    }
    const xcb_window_t untouched = client.createWindow({{"WM_NAME", latin1("Untouched")}});
    titles->sync();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        for (const auto& [name, value] : cases[i].since) {
            client.setProperty(windows[i], name, value);
        }
    }
    killAndRestart();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(raw(windows[i]), cases[i].expected) << i;
        EXPECT_FALSE(noted(windows[i])) << i;
    }
    EXPECT_EQ(raw(untouched), (Title{std::nullopt, latin1("Untouched")}));
}

TEST_F(WithWindowManager, ForegroundIsTheActiveClientAndItsTitleIsReadAsItStands)
{
    const xcb_window_t first = client.createWindow({{"WM_NAME", latin1("First")}});
    const xcb_window_t second = client.createWindow({{"WM_NAME", latin1("Second")}});
    ASSERT_TRUE(client.activate(first));
    ASSERT_EQ(titles->foregroundWindow(), first); // the client, not its frame
    titles->writeTitle(first, decorated(titles->readTitle(first)));
    ASSERT_TRUE(client.activate(second));
    ASSERT_EQ(titles->foregroundWindow(), second);
    EXPECT_EQ(titles->readTitle(second), "Second"); // not the title asked for with the query
    EXPECT_EQ(titles->readTitle(first), decorated("First"));
    // Changed after a read, or between two queries: read as it stands.
    ASSERT_EQ(titles->foregroundWindow(), second);
    EXPECT_EQ(titles->readTitle(second), "Second");
    client.setProperty(second, "WM_NAME", latin1("Changed after the read"));
    EXPECT_EQ(titles->readTitle(second), "Changed after the read");
    ASSERT_EQ(titles->foregroundWindow(), second);
    client.setProperty(second, "WM_NAME", latin1("Changed between two queries"));
    ASSERT_EQ(titles->foregroundWindow(), second);
    EXPECT_EQ(titles->readTitle(second), "Changed between two queries");
    // Replies asked for a window that has gone since are dropped like any error.
    const xcb_window_t third = client.createWindow({{"WM_NAME", latin1("Third")}});
    ASSERT_TRUE(client.activate(second));
    ASSERT_EQ(titles->foregroundWindow(), second);
    client.destroy(second);
    ASSERT_TRUE(client.activate(third));
    ASSERT_EQ(titles->foregroundWindow(), third);
    EXPECT_EQ(titles->readTitle(third), "Third");
    EXPECT_EQ(titles->readTitle(second), "");
}

TEST_F(WithWindowManager, NewForegroundAndRetitlesAreReportedOurOwnWritesAreNot)
{
    int changes = 0;
    titles->setChangeHandler([&changes] { ++changes; });
    const xcb_window_t alpha = client.createWindow({{"_NET_WM_NAME", utf8("Alpha")}});
    const xcb_window_t beta = client.createWindow({{"WM_NAME", latin1("Beta")}});
    ASSERT_TRUE(client.activate(alpha));
    ASSERT_EQ(titles->foregroundWindow(), alpha);
    titles->writeTitle(alpha, decorated(titles->readTitle(alpha)));
    titles->writeTitle(alpha, "00:00:02   Alpha");
    settle();
    changes = 0;
    ASSERT_EQ(titles->foregroundWindow(), alpha);
    EXPECT_EQ(titles->readTitle(alpha), "00:00:02   Alpha");
    titles->writeTitle(alpha, "00:00:03   Alpha");
    settle();
    EXPECT_EQ(changes, 0) << "our own write came back as a change";

    client.setProperty(alpha, "_NET_WM_NAME", utf8("(1) Alpha"));
    settle();
    EXPECT_EQ(changes, 1) << "the program's retitle was not reported";
    ASSERT_EQ(titles->foregroundWindow(), alpha);
    EXPECT_EQ(titles->readTitle(alpha), "(1) Alpha");
    changes = 0;
    ASSERT_TRUE(client.activate(beta));
    settle();
    EXPECT_GE(changes, 1) << "the new foreground was not reported";

    // A window given its title back is watched no more.
    titles->restoreTitle(alpha, "(1) Alpha");
    settle();
    changes = 0;
    client.setProperty(alpha, "_NET_WM_NAME", utf8("(2) Alpha"));
    settle();
    EXPECT_EQ(changes, 0);
}

// One Horaloom per X screen: the claim, and a later start asking the holder to come forward.
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

TEST_F(Titles, ClaimOfAKilledCopyIsFreeAgain)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The claims of earlier tests go as soon as the server has seen their connections close.
        XcbDisplayClaim claim;
        for (int tries = 0; tries < 250 && claim.claim() != Outcome::Claimed; ++tries) {
            usleep(20000);
        }
        const char outcome = claim.claim() == Outcome::Claimed ? 'y' : 'n';
        if (write(ready[1], &outcome, 1) == 1) {
            pause(); // until killed, holding the claim
        }
        _exit(1);
    }
    char outcome = 0;
    ASSERT_EQ(read(ready[0], &outcome, 1), 1);
    EXPECT_EQ(outcome, 'y');
    EXPECT_EQ(XcbDisplayClaim().claim(), Outcome::HeldByAnother);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    // The server frees the selection once it has seen the connection close.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (XcbDisplayClaim().claim() != Outcome::Claimed) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

TEST_F(NoWindowManager, ForegroundIsTheFocusedClientOrTheOneUnderThePointer)
{
    const xcb_window_t top = client.createWindow({{"WM_NAME", latin1("Top")}}, {.wmState = true});
    const xcb_window_t inner = client.createWindow({}, {.parent = top});
    const xcb_window_t deeper = client.createWindow({}, {.parent = inner});
    for (const xcb_window_t focused : {top, inner, deeper}) {
        client.focus(focused);
        EXPECT_EQ(titles->foregroundWindow(), top) << focused;
    }
    // A frame without WM_STATE holds its client inside.
    const xcb_window_t frame = client.createWindow({}, {.x = 300});
    const xcb_window_t framed =
        client.createWindow({{"_NET_WM_NAME", utf8("Framed")}}, {.wmState = true, .parent = frame});
    client.focus(frame);
    EXPECT_EQ(titles->foregroundWindow(), framed);
    client.focus(XCB_INPUT_FOCUS_POINTER_ROOT);
    for (const auto& [x, under] : {std::pair{50, top}, {350, framed}, {1000, XCB_NONE}}) {
        client.movePointer(static_cast<std::int16_t>(x), 50);
        EXPECT_EQ(titles->foregroundWindow(), under) << "pointer at " << x;
    }
    client.focus(client.createWindow({}, {.x = 600})); // no client in focus
    EXPECT_EQ(titles->foregroundWindow(), 0u);
    client.focus(XCB_NONE);
    EXPECT_EQ(titles->foregroundWindow(), 0u);
}

TEST_F(NoWindowManager, FocusedClientIsReadFreshAndLosingTheFocusIsReported)
{
    int changes = 0;
    titles->setChangeHandler([&changes] { ++changes; });
    const xcb_window_t first =
        client.createWindow({{"WM_NAME", latin1("Editor")}}, {.wmState = true});
    const xcb_window_t second = client.createWindow({}, {.x = 300, .wmState = true});
    client.focus(first);
    ASSERT_EQ(titles->foregroundWindow(), first);
    titles->writeTitle(first, decorated(titles->readTitle(first)));
    titles->sync();
    client.setProperty(first, "WM_NAME", utf8("Editor — draft 2!")); // the decoration's length
    ASSERT_EQ(titles->foregroundWindow(), first);
    EXPECT_EQ(titles->readTitle(first), "Editor — draft 2!");
    settle();
    changes = 0;
    client.focus(second);
    settle();
    EXPECT_GE(changes, 1);
}

TEST_F(NoWindowManager, NextStartFindsTopLevelWindowsAndClientsInFrames)
{
    const xcb_window_t top =
        client.createWindow({{"WM_NAME", latin1("Caf\xE9")}}, {.wmState = true});
    const xcb_window_t framed = client.createWindow(
        {{"_NET_WM_NAME", utf8("Framed")}}, {.parent = client.createWindow({}, {.x = 300})});
    for (const xcb_window_t window : {top, framed}) {
        titles->writeTitle(window, decorated(titles->readTitle(window)));
    }
    killAndRestart();
    EXPECT_EQ(raw(top), (Title{std::nullopt, latin1("Caf\xE9")}));
    EXPECT_EQ(raw(framed), (Title{utf8("Framed"), std::nullopt}));
    EXPECT_FALSE(noted(top));
    EXPECT_FALSE(noted(framed));
}

} // namespace
} // namespace horaloom::test
