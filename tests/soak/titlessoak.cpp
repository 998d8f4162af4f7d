#include "titlessoak.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace horaloom::soak {

namespace {

constexpr std::size_t mostOthers = 10;
constexpr std::size_t recentKept = 16;

std::string clockFace(long seconds, long hoursModulo)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600 % hoursModulo,
                  seconds / 60 % 60, seconds % 60);
    return text;
}

} // namespace

std::string hex(WindowId id)
{
    std::ostringstream out;
    out << "0x" << std::hex << id;
    return out.str();
}

TitlesSoak::TitlesSoak(const SoakOptions& options)
    : m_options(options), m_random(options.seed), m_maker(m_random, m_desktop.typeAtoms())
{
}

int TitlesSoak::below(int bound)
{
    return std::uniform_int_distribution<int>(0, bound - 1)(m_random);
}

std::string TitlesSoak::timeText() const
{
    return clockFace(m_seconds, 100);
}

std::string TitlesSoak::clockText() const
{
    return clockFace(m_clockStart + m_seconds, 24);
}

void TitlesSoak::note(const std::string& what)
{
    std::string line = (m_operation < 0 ? "setup" : std::to_string(m_operation)) + ": " + what;
    if (m_options.verbose) {
        std::printf("%s\n", line.c_str());
    }
    m_recent.push_back(std::move(line));
    if (m_recent.size() > recentKept) {
        m_recent.pop_front();
    }
}

TitlesSoak::Window* TitlesSoak::find(WindowId id)
{
    const auto found = std::find_if(m_windows.begin(), m_windows.end(),
                                    [id](const Window& window) { return window.id == id; });
    return found == m_windows.end() ? nullptr : &*found;
}

// The other program's window the writer decorates (or last looked at), if it is still there.
TitlesSoak::Window* TitlesSoak::decoratedOther()
{
    Window* window = find(m_writer.LastWindow);
    return window != nullptr && !window->main ? window : nullptr;
}

TitlesSoak::Window& TitlesSoak::randomWindow(bool mainToo)
{
    const int first = mainToo ? 0 : 1;
    return m_windows[static_cast<std::size_t>(first +
                                              below(static_cast<int>(m_windows.size()) - first))];
}

int TitlesSoak::randomDisplayClock()
{
    const int roll = below(100);
    return roll < 45 ? 0 : roll < 90 ? 1 : 2;
}

int TitlesSoak::run()
{
    if (!m_desktop.connected() || !m_backend.connected()) {
        std::fprintf(stderr, "titles_soak: needs an X display (ctest runs it in "
                             "scripts/desktop-session)\n");
        return 77;
    }
    std::printf("titles_soak: %ld operations, seed %llu, %s\n", m_options.operations,
                static_cast<unsigned long long>(m_options.seed),
                m_desktop.windowManagerRunning() ? "with a window manager"
                                                 : "without a window manager");
    m_clockStart = below(86400);
    OwnTitle own{TitleKind::Utf8, {}, {}, {}};
    m_maker.retitle(own, U"Horaloom");
    m_windows.push_back({m_desktop.createWindow(own), true, own});
    for (int i = 0; i < 4; ++i) {
        create();
    }
    bringToFront(m_windows.front().id);

    const auto began = std::chrono::steady_clock::now();
    for (m_operation = 0; m_operation < m_options.operations && !stopNow(); ++m_operation) {
        const Operation operation = pick();
        ++m_operations[operation];
        perform(operation);
        if (m_running && operation != StopTimer) {
            tick();
            checkDecoration();
        }
        if (operation != StopTimer) {
            checkOwnTitles(Step, m_writer.LastWindow);
        }
        if (m_tickAfterReset) {
            m_tickAfterReset = false;
            note("tick after a window was put right");
            tick();
        }
        m_mostWindows = std::max(m_mostWindows, m_windows.size());
        if (!m_backend.connected() || !m_desktop.connected()) {
            report(Step, "an X connection broke", {});
            break;
        }
    }
    if (!stopNow() && m_backend.connected()) {
        note("restoreLastWindow");
        m_writer.restoreLastWindow();
        checkOwnTitles(Final, 0);
        note("restoreAll");
        m_backend.restoreAll();
        checkOwnTitles(Shutdown, 0);
    }
    printSummary(std::chrono::steady_clock::now() - began);
    return failures() == 0 ? 0 : 1;
}

TitlesSoak::Operation TitlesSoak::pick()
{
    const std::size_t others = m_windows.size() - 1;
    std::array<int, OperationKinds> weights{};
    weights[Create] = others < mostOthers ? 8 : 0;
    weights[Destroy] = others >= 2 ? 6 : 0;
    weights[Activate] = 22;
    weights[RetitleOtherLength] = others >= 1 ? 15 : 0;
    weights[RetitleSameLength] = others >= 1 ? 15 : 0;
    weights[StartTimer] = m_running ? 0 : 10;
    weights[StopTimer] = m_running ? 4 : 0;
    weights[ChangeDisplayClock] = m_running ? 3 : 0;
    weights[TickOnly] = 12;
    int roll = 0;
    for (const int weight : weights) {
        roll += weight;
    }
    roll = below(roll);
    for (int kind = 0; kind < OperationKinds; ++kind) {
        roll -= weights[static_cast<std::size_t>(kind)];
        if (roll < 0) {
            return static_cast<Operation>(kind);
        }
    }
    return TickOnly;
}

void TitlesSoak::perform(Operation operation)
{
    switch (operation) {
    case Create:
        create();
        break;
    case Destroy:
        destroy();
        break;
    case Activate:
        activate();
        break;
    case RetitleOtherLength:
    case RetitleSameLength:
        retitle(operation == RetitleSameLength);
        break;
    case StartTimer:
        startTimer();
        break;
    case StopTimer:
        stopTimer();
        break;
    case ChangeDisplayClock:
        changeDisplayClock();
        break;
    case TickOnly:
    case OperationKinds:
        note("tick");
        break;
    }
}

void TitlesSoak::startTimer()
{
    m_running = true;
    m_displayClock = randomDisplayClock();
    if (chance(30)) {
        m_seconds = 0;
    }
    note("timer start, displayClock " + std::to_string(m_displayClock));
}

void TitlesSoak::changeDisplayClock()
{
    const int before = m_displayClock;
    while (m_displayClock == before) {
        m_displayClock = randomDisplayClock();
    }
    note("displayClock " + std::to_string(m_displayClock));
}

// The Stop button: the main window is in front, and the writer is called once more.
void TitlesSoak::stopTimer()
{
    const xcb_window_t main = m_windows.front().id;
    note("timer stop");
    for (int attempt = 0; attempt < 3; ++attempt) {
        bringToFront(main);
        const auto before = m_backend.roundTrips();
        m_writer.TitleBar(timeText(), clockText(), m_displayClock);
        m_tickRoundTrips += m_backend.roundTrips() - before;
        ++m_ticks;
        if (m_writer.LastWindow == main) {
            break;
        }
        ++m_stopRepeats; // the foreground moved on before the call read it
    }
    m_running = false;
    checkDecoration();
    checkOwnTitles(Stop, m_writer.LastWindow);
}

void TitlesSoak::tick()
{
    ++m_seconds;
    const auto before = m_backend.roundTrips();
    m_writer.TitleBar(timeText(), clockText(), m_displayClock);
    m_tickRoundTrips += m_backend.roundTrips() - before;
    ++m_ticks;
    if (m_tapped.armed()) { // the writer never got there (nothing to write, say)
        m_tapped.disarm();
        vanish(m_pendingVanish, Plain);
    }
    if (m_frontGone) {
        m_frontGone = false;
        bringSomeoneToFront();
    }
}

} // namespace horaloom::soak
