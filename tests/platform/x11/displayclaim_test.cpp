// One Horaloom per X screen: the display claim against a real X server.
#include "xcbdisplayclaim.h"

#include "xcbtestclient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace horaloom {
namespace {

using Outcome = XcbDisplayClaim::Outcome;

class DisplayClaim : public testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X display; ctest runs this in scripts/desktop-session";
        }
    }

    // The server clears a dead owner's selection once it has seen the connection close, which
    // may come a moment after the process is gone.
    static bool claimedWithinSeconds(int seconds)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (XcbDisplayClaim().claim() != Outcome::Claimed) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }
};

TEST_F(DisplayClaim, OneClaimPerScreenWhileItsHolderLives)
{
    auto first = std::make_unique<XcbDisplayClaim>();
    ASSERT_EQ(first->claim(), Outcome::Claimed);
    EXPECT_NE(first->ownerWindow(), 0u);
    EXPECT_EQ(first->claim(), Outcome::Claimed); // asking again changes nothing

    XcbDisplayClaim second;
    EXPECT_EQ(second.claim(), Outcome::HeldByAnother);
    EXPECT_EQ(second.ownerWindow(), first->ownerWindow());
    EXPECT_EQ(second.claim(), Outcome::HeldByAnother); // asking again looks again

    first.reset();
    EXPECT_TRUE(claimedWithinSeconds(5));
}

// Waits up to a second for the claim's connection to have something to read, then reads it.
bool askedWithinASecond(XcbDisplayClaim& claim)
{
    pollfd watched{claim.fileDescriptor(), POLLIN, 0};
    return poll(&watched, 1, 1000) == 1 && claim.takeComeForwardRequests();
}

TEST_F(DisplayClaim, ALaterStartAsksTheHolderToComeForwardAndNothingElseCounts)
{
    XcbDisplayClaim first;
    ASSERT_EQ(first.claim(), Outcome::Claimed);
    EXPECT_FALSE(first.askOwnerToComeForward()); // the holder has nobody to ask
    EXPECT_FALSE(first.takeComeForwardRequests());

    // Another client's message of another type to the claim window is not a request.
    test::XcbTestClient other;
    other.sendClientMessage(first.ownerWindow(), "_NET_ACTIVE_WINDOW");
    EXPECT_FALSE(askedWithinASecond(first));

    XcbDisplayClaim second;
    ASSERT_EQ(second.claim(), Outcome::HeldByAnother);
    EXPECT_TRUE(second.askOwnerToComeForward());
    EXPECT_TRUE(askedWithinASecond(first));
    EXPECT_FALSE(first.takeComeForwardRequests()); // each request is taken once
}

TEST_F(DisplayClaim, ClaimOfAKilledProcessDoesNotBlock)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        XcbDisplayClaim claim;
        const char outcome = claim.claim() == Outcome::Claimed ? 'y' : 'n';
        if (write(ready[1], &outcome, 1) == 1) {
            pause(); // until killed, holding the claim
        }
        _exit(1);
    }
    close(ready[1]);
    char outcome = 0;
    const bool reported = read(ready[0], &outcome, 1) == 1;
    close(ready[0]);
    const Outcome whileAlive = XcbDisplayClaim().claim();
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    ASSERT_TRUE(reported);
    EXPECT_EQ(outcome, 'y');
    EXPECT_EQ(whileAlive, Outcome::HeldByAnother);
    EXPECT_TRUE(claimedWithinSeconds(5));
}

TEST(DisplayClaimWithoutDisplay, SaysSo)
{
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    XcbDisplayClaim claim;
    if (display) {
        setenv("DISPLAY", saved.c_str(), 1);
    }
    EXPECT_EQ(claim.claim(), Outcome::NoDisplay);
    EXPECT_EQ(claim.ownerWindow(), 0u);
}

} // namespace
} // namespace horaloom
