// A long random run of the title writer over the real X11 backend, against other programs'
// windows on a real X server, with every title checked byte for byte along the way.
#pragma once

#include "soakdesktop.h"
#include "soaktext.h"
#include "tappedtitles.h"
#include "titlebarwriter.h"
#include "xcbwindowtitles.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace horaloom::soak {

std::string hex(WindowId id); // "0x..." as X tools print window ids

struct SoakOptions {
    long operations = 3000;
    std::uint64_t seed = 1;
    bool keepGoing = false; // report a failure, put the window right, and carry on
    bool verbose = false;   // print every operation
};

class TitlesSoak {
public:
    explicit TitlesSoak(const SoakOptions& options);

    // Every operation, then the final checks and the summary; the exit status.
    int run();

private:
    enum Operation {
        Create,
        Destroy,
        Activate,
        RetitleOtherLength,
        RetitleSameLength,
        StartTimer,
        StopTimer,
        ChangeDisplayClock,
        TickOnly,
        OperationKinds
    };
    // How a window went away: between two steps, or inside the writer's call.
    enum Vanish { Plain, AfterForeground, AfterRead, BeforeWrite, BeforeRestore, VanishKinds };
    enum Check { Step, Decoration, Stop, Final, Shutdown, Foreground, CheckKinds };

    struct Window {
        xcb_window_t id = XCB_NONE;
        bool main = false;
        OwnTitle title;
    };

    struct Tally {
        long passed = 0;
        long failed = 0;
    };

    // The run and the timer (titlessoak.cpp).
    Operation pick();
    void perform(Operation operation);
    void startTimer();
    void stopTimer();
    void changeDisplayClock();
    void tick();
    int randomDisplayClock();
    int below(int bound);
    bool chance(int percent) { return below(100) < percent; }
    Window* find(WindowId id);
    Window* decoratedOther();
    Window& randomWindow(bool mainToo);
    std::string timeText() const;
    std::string clockText() const;
    void note(const std::string& what);

    // The windows: other programs and the user at work (titlessoakwindows.cpp).
    void create();
    void destroy();
    void activate();
    void retitle(bool sameLength);
    int shownLength(const Window& window);
    void vanish(xcb_window_t window, Vanish how);
    bool bringToFront(xcb_window_t window);
    void bringSomeoneToFront();

    // Checks and the report (titlessoakcheck.cpp).
    void checkOwnTitles(Check check, WindowId except);
    void checkDecoration();
    TitleProperties ownProperties(const Window& window) const;
    void compare(Check check, const Window& window, const TitleProperties& expected,
                 const TitleProperties& actual, bool decorated);
    void report(Check check, const std::string& headline, const std::vector<std::string>& details,
                const std::string& kind = {});
    bool stopNow() const { return !m_options.keepGoing && failures() > 0; }
    long failures() const;
    std::string describe(const Window& window) const;
    std::string show(const std::optional<Property>& value);
    void printSummary(std::chrono::duration<double> elapsed);

    SoakOptions m_options;
    std::mt19937_64 m_random;
    SoakDesktop m_desktop;
    XcbWindowTitles m_backend;
    TappedTitles m_tapped{m_backend};
    TitleBarWriter m_writer{m_tapped};
    TitleMaker m_maker;

    std::vector<Window> m_windows; // the main window first
    bool m_running = false;
    int m_displayClock = 0;
    long m_seconds = 0;
    long m_clockStart = 0;
    long m_operation = -1;
    xcb_window_t m_front = XCB_NONE; // the window last brought to the front
    bool m_frontGone = false;
    xcb_window_t m_pendingVanish = XCB_NONE;
    std::deque<std::string> m_recent;

    std::array<long, OperationKinds> m_operations{};
    std::array<long, VanishKinds> m_vanished{};
    std::array<Tally, CheckKinds> m_checks{};
    long m_ticks = 0;
    std::uint64_t m_tickRoundTrips = 0;
    long m_created = 0;
    long m_activationRetries = 0;
    long m_stopRepeats = 0;
    long m_sameLengthOnDecorated = 0;
    long m_switchesBeforeTick = 0;
    bool m_tickAfterReset = false;
    std::size_t m_mostWindows = 0;
    long m_failuresShown = 0;
    std::map<std::string, long> m_failureKinds; // what failed, on which kind of window
};

} // namespace horaloom::soak
