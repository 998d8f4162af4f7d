// The common ground of the tests against a real X server: a test client acting as other
// programs, Horaloom's backend, and the properties as the server holds them.
#pragma once

#include "xcbtestclient.h"
#include "xcbwindowtitles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <vector>

namespace horaloom::test {

// Reads what arrives for up to the given time, or until done says so.
inline void pumpEvents(WindowTitles& titles, int milliseconds,
                       const std::function<bool()>& done = {})
{
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    pollfd descriptor{titles.eventDescriptor(), POLLIN, 0};
    while (!(done && done())) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            return;
        }
        if (titles.eventsQueued() || ::poll(&descriptor, 1, static_cast<int>(left)) > 0) {
            titles.readEvents();
        }
    }
}

class TitlesTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X display; ctest runs this in scripts/desktop-session";
        }
        client = std::make_unique<XcbTestClient>();
        ASSERT_TRUE(client->connected());
        titles = std::make_unique<XcbWindowTitles>();
        ASSERT_TRUE(titles->connected());
    }

    // Whether SetUp has left the test to run.
    bool ready() const { return !IsSkipped() && !HasFatalFailure(); }

    // A property as the server holds it once everything written so far has been carried out;
    // nothing for one that is absent.
    std::optional<PropertyValue> property(xcb_window_t window, const std::string& name)
    {
        if (titles) {
            titles->sync();
        }
        return client->property(window, name);
    }

    std::vector<std::optional<PropertyValue>> rawTitle(xcb_window_t window)
    {
        return {property(window, "_NET_WM_NAME"), property(window, "WM_NAME")};
    }

    bool hasNote(xcb_window_t window)
    {
        return property(window, "_HORALOOM_OWN_TITLE").has_value();
    }

    std::unique_ptr<XcbTestClient> client;
    std::unique_ptr<XcbWindowTitles> titles;
};

} // namespace horaloom::test
