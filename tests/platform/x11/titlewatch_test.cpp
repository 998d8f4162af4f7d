// The backend says at once when the foreground moves on or the decorated window is retitled by
// its program, and stays quiet about its own writes.
#include "titlestest.h"

namespace horaloom::test {
namespace {

class TitleWatchTest : public TitlesTest {};

TEST_F(TitleWatchTest, ForegroundAndRetitlesAreReportedOurOwnWritesAreNot)
{
    if (!ready() || !client->windowManagerRunning()) {
        GTEST_SKIP() << "needs the window manager";
    }
    int changes = 0;
    titles->setChangeHandler([&changes] { ++changes; });
    const xcb_window_t alpha = client->createWindow({{"_NET_WM_NAME", utf8("Alpha")}});
    const xcb_window_t beta = client->createWindow({{"WM_NAME", latin1("Beta")}});
    ASSERT_TRUE(client->activate(alpha));
    pumpEvents(*titles, 200); // the activation itself is a change
    changes = 0;
    ASSERT_EQ(titles->foregroundWindow(), alpha);
    titles->readTitle(alpha);
    titles->writeTitle(alpha, "00:00:01   Alpha");
    titles->writeTitle(alpha, "00:00:02   Alpha");
    pumpEvents(*titles, 300);
    EXPECT_EQ(changes, 0) << "our own writes came back as changes";
    // Nothing has changed since: the window manager's answer and our title stand, unasked.
    const auto before = titles->roundTrips();
    EXPECT_EQ(titles->foregroundWindow(), alpha);
    EXPECT_EQ(titles->readTitle(alpha), "00:00:02   Alpha");
    EXPECT_EQ(titles->roundTrips(), before);

    client->setProperty(alpha, "_NET_WM_NAME", utf8("(1) Alpha"));
    pumpEvents(*titles, 2000, [&] { return changes > 0; });
    EXPECT_EQ(changes, 1) << "the program's retitle was not reported";

    changes = 0;
    ASSERT_TRUE(client->activate(beta));
    pumpEvents(*titles, 2000, [&] { return changes > 0; });
    EXPECT_GE(changes, 1) << "the change of foreground was not reported";

    // A window given its title back is watched no more.
    titles->restoreTitle(alpha, "(1) Alpha");
    pumpEvents(*titles, 200);
    changes = 0;
    client->setProperty(alpha, "_NET_WM_NAME", utf8("(2) Alpha"));
    pumpEvents(*titles, 300);
    EXPECT_EQ(changes, 0);
}

} // namespace
} // namespace horaloom::test
