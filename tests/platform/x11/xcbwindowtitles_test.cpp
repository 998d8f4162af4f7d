// The X11 title backend against a real X server and window manager, run in the private desktop.
#include "titlerecord.h"
#include "titlestest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace horaloom {
namespace {

using test::compoundText;
using test::latin1;
using test::NamedProperty;
using test::PropertyValue;
using test::utf8;

const std::vector<std::string> titleProperties = {"_NET_WM_NAME", "WM_NAME"};

std::string decorated(const std::string& own)
{
    return "00:00:01   " + own;
}

using XcbWindowTitlesTest = test::TitlesTest;

struct EncodingCase {
    const char* what;
    std::vector<NamedProperty> properties;
    std::string text;
};

const std::vector<EncodingCase> encodingCases = {
    {"UTF-8 in both properties",
     {{"_NET_WM_NAME", utf8("Grüße – 日本")}, {"WM_NAME", utf8("Grüße – 日本")}},
     "Grüße – 日本"},
    {"Latin-1 WM_NAME only",
     {{"WM_NAME", latin1("Gr\xFC\xDF"
                         "e")}},
     "Grüße"},
    {"COMPOUND_TEXT WM_NAME only",
     {{"WM_NAME", compoundText("\x1B-F\xD9mix\x1B$(BF|K\\")}},
     "Ωmix日本"},
    {"UTF-8 _NET_WM_NAME over a Latin-1 WM_NAME",
     {{"_NET_WM_NAME", utf8("Letter – Editor")}, {"WM_NAME", latin1("Letter - Editor")}},
     "Letter – Editor"},
};

TEST_F(XcbWindowTitlesTest, DecoratesAndRestoresEachEncodingByteForByte)
{
    for (const EncodingCase& c : encodingCases) {
        SCOPED_TRACE(c.what);
        const xcb_window_t window = client->createWindow(c.properties);
        const auto original = rawTitle(window);

        ASSERT_EQ(titles->readTitle(window), c.text);
        titles->writeTitle(window, decorated(c.text));
        for (const std::string& name : titleProperties) {
            EXPECT_EQ(property(window, name), utf8(decorated(c.text))) << name;
        }
        EXPECT_TRUE(hasNote(window));
        EXPECT_EQ(utf8Length(titles->readTitle(window)), utf8Length(decorated(c.text)));
        EXPECT_EQ(titles->readTitle(window), decorated(c.text)); // must not move the restore point

        titles->restoreTitle(window, c.text);
        EXPECT_EQ(rawTitle(window), original);
        EXPECT_FALSE(hasNote(window));
    }
}

TEST_F(XcbWindowTitlesTest, RestoringAnotherTextWritesThatTextAsUtf8)
{
    const xcb_window_t read = client->createWindow({{"WM_NAME", latin1("Caf\xE9")}});
    const xcb_window_t neverRead = client->createWindow({{"WM_NAME", latin1("Plain")}});
    titles->readTitle(read);
    titles->writeTitle(read, decorated("Café"));

    titles->restoreTitle(read, "Menu – Café");
    titles->restoreTitle(neverRead, "Zoë");

    for (const std::string& name : titleProperties) {
        EXPECT_EQ(property(read, name), utf8("Menu – Café")) << name;
        EXPECT_EQ(property(neverRead, name), utf8("Zoë")) << name;
    }
    EXPECT_FALSE(hasNote(read));
}

TEST_F(XcbWindowTitlesTest, ReadsTitlesAsOtherProgramsWroteThem)
{
    const std::vector<EncodingCase> cases = {
        {"_NET_WM_NAME of type STRING is not trusted",
         {{"_NET_WM_NAME", latin1("xdotool")}, {"WM_NAME", latin1("Plain")}},
         "Plain"},
        {"an empty UTF-8 _NET_WM_NAME wins",
         {{"_NET_WM_NAME", utf8("")}, {"WM_NAME", latin1("x")}},
         ""},
        {"UTF8_STRING in WM_NAME", {{"WM_NAME", utf8("Ωμέγα")}}, "Ωμέγα"},
        {"invalid UTF-8 is marked, one mark per bad byte",
         {{"_NET_WM_NAME", utf8("a\xFF\xFE"
                                "b")}},
         "a��b"},
        {"no title at all", {}, ""},
    };
    for (const EncodingCase& c : cases) {
        SCOPED_TRACE(c.what);
        const xcb_window_t window = client->createWindow(c.properties);
        EXPECT_EQ(titles->readTitle(window), c.text);
        EXPECT_EQ(utf8Length(titles->readTitle(window)), utf8Length(c.text));
    }
}

TEST_F(XcbWindowTitlesTest, WrittenTitleReadsBackWithTheSameLength)
{
    const xcb_window_t window = client->createWindow({{"WM_NAME", latin1("x")}});
    for (const std::string title :
         {"00:00:01   Grüße", "12:00:00   3:04:05 PM    Ωμέγα – 日本語 🎉", "   ", ""}) {
        titles->writeTitle(window, title);
        EXPECT_EQ(titles->readTitle(window), title);
        EXPECT_EQ(utf8Length(titles->readTitle(window)), utf8Length(title)) << title;
    }
}

TEST_F(XcbWindowTitlesTest, HandlesVeryLongTitles)
{
    std::string own;
    for (int i = 0; i < 100000; ++i) {
        own += "日"; // 300000 bytes: more than one request may carry without BIG-REQUESTS
    }
    const xcb_window_t window = client->createWindow({{"_NET_WM_NAME", utf8(own)}});
    const auto original = rawTitle(window);

    ASSERT_EQ(titles->readTitle(window), own);
    EXPECT_EQ(utf8Length(titles->readTitle(window)), 100000);
    titles->writeTitle(window, decorated(own));
    EXPECT_EQ(utf8Length(titles->readTitle(window)), 100011);
    EXPECT_EQ(property(window, "WM_NAME"), utf8(decorated(own)));
    titles->restoreTitle(window, own);
    EXPECT_EQ(rawTitle(window), original);
}

TEST_F(XcbWindowTitlesTest, VanishedWindowAnswersAsNoWindow)
{
    const xcb_window_t window = client->createWindow({{"WM_NAME", latin1("Gone soon")}});
    titles->readTitle(window);
    titles->writeTitle(window, decorated("Gone soon"));
    client->destroy(window);

    EXPECT_EQ(utf8Length(titles->readTitle(window)), 0);
    EXPECT_EQ(titles->readTitle(window), "");
    titles->writeTitle(window, decorated("Gone soon"));
    titles->restoreTitle(window, "Gone soon");
    titles->restoreAll();
    EXPECT_EQ(utf8Length(titles->readTitle(0)), 0);
    EXPECT_EQ(titles->readTitle(0xFFFFFFFFFFull), "");

    // The errors cost nothing but themselves: the connection still serves other windows.
    const xcb_window_t alive = client->createWindow({{"WM_NAME", latin1("Alive")}});
    EXPECT_TRUE(titles->connected());
    EXPECT_EQ(titles->readTitle(alive), "Alive");
}

TEST_F(XcbWindowTitlesTest, ForegroundFollowsActivation)
{
    if (!client->windowManagerRunning()) {
        GTEST_SKIP() << "needs the window manager";
    }
    const xcb_window_t first = client->createWindow({{"WM_NAME", latin1("First")}});
    const xcb_window_t second = client->createWindow({{"WM_NAME", latin1("Second")}});
    ASSERT_TRUE(client->activate(first));
    EXPECT_EQ(titles->foregroundWindow(), first); // the client window, not the frame
    ASSERT_TRUE(client->activate(second));
    EXPECT_EQ(titles->foregroundWindow(), second);
    EXPECT_EQ(titles->readTitle(titles->foregroundWindow()), "Second");
}

TEST_F(XcbWindowTitlesTest, ForegroundQueryAndTheReadAfterItShareOneRoundTrip)
{
    if (!client->windowManagerRunning()) {
        GTEST_SKIP() << "needs the window manager";
    }
    const xcb_window_t window = client->createWindow({{"WM_NAME", latin1("Editor")}});
    ASSERT_TRUE(client->activate(window));
    titles->foregroundWindow(); // the first query has no earlier answer to go by
    titles->readTitle(window);
    titles->writeTitle(window, decorated("Editor"));

    const std::uint64_t before = titles->roundTrips();
    const WindowId foreground = titles->foregroundWindow();
    titles->readTitle(foreground);
    titles->writeTitle(foreground, "00:00:02   Editor");
    EXPECT_EQ(foreground, window);
    // The write waits for nothing; foreground and title come back together.
    EXPECT_EQ(titles->roundTrips() - before, 1u);
}

TEST_F(XcbWindowTitlesTest, RestoreAllHandsBackEveryDecoratedWindow)
{
    const xcb_window_t first = client->createWindow({{"WM_NAME", compoundText("\x1B-L\xBF")}});
    const xcb_window_t second = client->createWindow({{"_NET_WM_NAME", utf8("Zwei")}});
    const auto firstOriginal = rawTitle(first);
    const auto secondOriginal = rawTitle(second);
    for (const xcb_window_t window : {first, second}) {
        titles->writeTitle(window, decorated(titles->readTitle(window)));
    }

    titles->restoreAll();

    EXPECT_EQ(rawTitle(first), firstOriginal);
    EXPECT_EQ(rawTitle(second), secondOriginal);
    EXPECT_FALSE(hasNote(first));
    EXPECT_FALSE(hasNote(second));
}

// A run killed while these windows were decorated, and what their programs did before the next
// start: each property that still holds our decoration gets the window's own value back, one
// the program has set since keeps the program's.
struct RecoveryCase {
    const char* what;
    std::vector<NamedProperty> own;
    std::string decoration;
    std::vector<NamedProperty> setSince;
    std::vector<std::optional<PropertyValue>> expected; // _NET_WM_NAME, WM_NAME
};

TEST_F(XcbWindowTitlesTest, NextStartGivesBackOnlyWhatStillHoldsOurDecoration)
{
    const std::vector<RecoveryCase> cases = {
        {"Latin-1 WM_NAME",
         {{"WM_NAME", latin1("Gr\xFC\xDF"
                             "e")}},
         decorated("Grüße"),
         {},
         {std::nullopt, latin1("Gr\xFC\xDF"
                               "e")}},
        {"both properties, decorated with the time of day",
         {{"_NET_WM_NAME", utf8("Letter – Editor")}, {"WM_NAME", latin1("Letter - Editor")}},
         "00:00:01   3:04:05 PM    Letter – Editor",
         {},
         {utf8("Letter – Editor"), latin1("Letter - Editor")}},
        {"retitled through both by a chat program",
         {{"_NET_WM_NAME", utf8("Inbox - Chat")}, {"WM_NAME", utf8("Inbox - Chat")}},
         decorated("Inbox - Chat"),
         {{"_NET_WM_NAME", utf8("(1) Inbox - Chat")}, {"WM_NAME", utf8("(1) Inbox - Chat")}},
         {utf8("(1) Inbox - Chat"), utf8("(1) Inbox - Chat")}},
        {"retitled through WM_NAME, the only title its program sets",
         {{"WM_NAME", latin1("Hello")}},
         decorated("Hello"),
         {{"WM_NAME", latin1("Other")}},
         {std::nullopt, latin1("Other")}},
        {"retitled through WM_NAME beside a UTF-8 _NET_WM_NAME",
         {{"_NET_WM_NAME", utf8("Letter – Editor")}, {"WM_NAME", latin1("Letter - Editor")}},
         decorated("Letter – Editor"),
         {{"WM_NAME", latin1("R\xE9sum\xE9")}},
         {utf8("Résumé"), latin1("R\xE9sum\xE9")}},
        {"retitled through _NET_WM_NAME",
         {{"_NET_WM_NAME", utf8("Old")}, {"WM_NAME", latin1("Old")}},
         decorated("Old"),
         {{"_NET_WM_NAME", utf8("New")}},
         {utf8("New"), latin1("Old")}},
    };
    std::vector<xcb_window_t> windows;
    for (const RecoveryCase& c : cases) {
        windows.push_back(client->createWindow(c.own));
        titles->readTitle(windows.back());
        titles->writeTitle(windows.back(), c.decoration);
    }
    const xcb_window_t untouched = client->createWindow({{"WM_NAME", latin1("Untouched")}});
    // A note as earlier versions wrote it, without the decorated title.
    const xcb_window_t earlier = client->createWindow({{"WM_NAME", utf8(decorated("Before"))}});
    client->setProperty(earlier, "_NET_WM_NAME", utf8(decorated("Before")));
    client->setProperty(earlier, "_HORALOOM_OWN_TITLE",
                        {"_HORALOOM_OWN_TITLE", 8,
                         encodeTitleRecord({{{"WM_NAME", "STRING", 8, "Before"}}, std::nullopt})});
    titles->sync();
    titles.reset(); // the run ends without handing anything back
    for (std::size_t i = 0; i < cases.size(); ++i) {
        for (const auto& [name, value] : cases[i].setSince) {
            client->setProperty(windows[i], name, value);
        }
    }

    XcbWindowTitles nextRun;
    nextRun.recoverAbandonedTitles();
    nextRun.sync();

    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_EQ(rawTitle(windows[i]), cases[i].expected);
        EXPECT_FALSE(hasNote(windows[i]));
    }
    EXPECT_EQ(rawTitle(untouched),
              (std::vector<std::optional<PropertyValue>>{std::nullopt, latin1("Untouched")}));
    EXPECT_EQ(rawTitle(earlier),
              (std::vector<std::optional<PropertyValue>>{std::nullopt, latin1("Before")}));
    EXPECT_FALSE(hasNote(earlier));
}

TEST(XcbWindowTitlesWithoutDisplay, AnswersAsForNoWindow)
{
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    XcbWindowTitles titles;
    if (display) {
        setenv("DISPLAY", saved.c_str(), 1);
    }

    EXPECT_FALSE(titles.connected());
    EXPECT_EQ(titles.foregroundWindow(), 0u);
    EXPECT_EQ(utf8Length(titles.readTitle(42)), 0);
    EXPECT_EQ(titles.readTitle(42), "");
    titles.writeTitle(42, "x");
    titles.restoreTitle(42, "x");
    titles.recoverAbandonedTitles();
    titles.restoreAll();
}

// xmessage is an Xt program: in a UTF-8 locale it writes a non-Latin-1 title as COMPOUND_TEXT.
TEST_F(XcbWindowTitlesTest, DecoratesAndRestoresARealXtProgram)
{
    if (!client->windowManagerRunning()) {
        GTEST_SKIP() << "finds the window through the window manager's client list";
    }
    const std::string instance = "horaloomtest" + std::to_string(getpid());
    const std::string title = "Ωμέγα Привет 日本語";
    std::vector<std::string> args = {"xmessage", "-name", instance, "-title", title, "hello"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    setenv("LC_ALL", "C.UTF-8", 1);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawnp(&pid, "xmessage", nullptr, nullptr, argv.data(), environ), 0);
    unsetenv("LC_ALL");
    struct Reaper {
        pid_t pid;
        ~Reaper()
        {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    } reaper{pid};

    xcb_window_t window = XCB_NONE;
    for (int attempt = 0; attempt < 500 && window == XCB_NONE; ++attempt) {
        const auto list = client->property(client->root(), "_NET_CLIENT_LIST");
        for (std::size_t at = 0; list && at + 4 <= list->bytes.size(); at += 4) {
            xcb_window_t candidate = 0;
            std::memcpy(&candidate, list->bytes.data() + at, 4);
            const auto wmClass = client->property(candidate, "WM_CLASS");
            if (wmClass && wmClass->bytes.starts_with(instance + '\0')) {
                window = candidate;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_NE(window, XCB_NONE) << "xmessage did not show up";
    const auto original = rawTitle(window);
    ASSERT_TRUE(original[1].has_value());
    EXPECT_EQ(original[1]->type, "COMPOUND_TEXT");

    EXPECT_EQ(titles->readTitle(window), title);
    titles->writeTitle(window, decorated(title));
    EXPECT_EQ(titles->readTitle(window), decorated(title));
    titles->restoreTitle(window, title);
    EXPECT_EQ(rawTitle(window), original);
}

} // namespace
} // namespace horaloom
