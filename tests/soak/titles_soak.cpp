// titles_soak: other programs' windows are made, activated, retitled in their own encodings and
// destroyed at random, some in the middle of the title writer's call, while the writer runs over
// the real X11 backend; now and then the run is killed and the next one starts. After every step
// each window's title is checked byte for byte. ctest runs a short seeded run; a long one by hand:
//
//   scripts/desktop-session build/tests/soak/titles_soak --operations 100000 [--seed S]
//
// It stops after --seconds (default 120) whatever is left. Exit status: 0 every check passed, 1
// one failed (the seed and the last steps are printed), 2 bad arguments, 77 no X display.
#include "titlebarwriter.h"
#include "titletext.h"
#include "windowtitles.h"
#include "x11client.h"
#include "xcbwindowtitles.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <sstream>
#include <string_view>

namespace horaloom::test {
namespace {

enum Kind { Qt, Gtk, Xlib, Xt, Xdotool }; // how the program titles its window

struct Window {
    xcb_window_t id;
    Kind kind;
    std::u32string text;
};

std::string toUtf8(std::u32string_view text)
{
    std::string out;
    for (const char32_t c : text) {
        appendUtf8(out, c);
    }
    return out;
}

// Latin-1, '?' for what it lacks; COMPOUND_TEXT with the Greek set switched in where needed.
std::string toBytes(std::u32string_view text, bool compound)
{
    std::string out;
    char right = 'A';
    for (const char32_t c : text) {
        const char set = c == U'Ω' ? 'F' : 'A';
        if (compound && c >= 0x80 && set != right) {
            out += {'\x1B', '-', set};
            right = set;
        }
        out += c == U'Ω' && compound ? '\xD9' : c < 0x100 ? static_cast<char>(c) : '?';
    }
    return out;
}

// What a reader of the title sees: '?' where Latin-1 has no character; the COMPOUND_TEXT
// programs here switch to Greek for Ω.
std::u32string shown(std::u32string text, Kind kind)
{
    for (char32_t& c : text) {
        if (kind != Qt && kind != Gtk && c >= 0x100 && !(kind == Xt && c == U'Ω')) {
            c = U'?';
        }
    }
    return text;
}

std::string describe(const Title& title)
{
    std::ostringstream out;
    for (const auto& property : title) {
        property ? PrintTo(*property, &out) : void(out << "(absent)");
        out << "  ";
    }
    return out.str();
}

class Soak {
public:
    Soak(std::uint64_t seed) : m_random(seed) {}

    int run(long operations, std::chrono::seconds limit);

private:
    // Passes every call on to the backend; ends a program at a chosen point of the writer's
    // call, as one may end between any two of its requests.
    class Tap final : public WindowTitles {
    public:
        explicit Tap(Soak& soak) : m_soak(soak) {}
        WindowId foregroundWindow() override
        {
            return fire(0, m_soak.m_titles->foregroundWindow());
        }
        std::string readTitle(WindowId w) override
        {
            return fire(1, m_soak.m_titles->readTitle(w));
        }
        void writeTitle(WindowId w, std::string_view title) override
        {
            fire(2, 0);
            m_soak.m_titles->writeTitle(w, title);
        }
        void restoreTitle(WindowId w, std::string_view title) override
        {
            fire(3, 0);
            m_soak.m_titles->restoreTitle(w, title);
        }
        int point =
            -1; // 0 after the foreground query, 1 after a read, 2 before a write, 3 a restore
        xcb_window_t victim = XCB_NONE;

    private:
        template <typename T> T fire(int at, T value)
        {
            if (at == point) {
                point = -1;
                m_soak.destroy(victim);
            }
            return value;
        }
        Soak& m_soak;
    };

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    Window& any()
    {
        return m_windows[static_cast<std::size_t>(below(static_cast<int>(m_windows.size())))];
    }
    std::u32string randomText(int length);
    void create();
    void retitle(Window& window, std::u32string text);
    void destroy(xcb_window_t id);
    void step();
    bool check();
    Window* find(WindowId id);
    std::string timeText(long s, long hours) const;

    std::mt19937_64 m_random;
    X11Client m_client;
    std::unique_ptr<XcbWindowTitles> m_titles = std::make_unique<XcbWindowTitles>();
    Tap m_tap{*this};
    std::unique_ptr<TitleBarWriter> m_writer = std::make_unique<TitleBarWriter>(m_tap);
    std::vector<Window> m_windows;
    std::vector<std::string> m_log; // the last steps, for a failure report
    bool m_running = false;
    int m_displayClock = 0;
    long m_seconds = 0;
};

std::u32string Soak::randomText(int length)
{
    static const std::u32string letters = U"abcXYZ -é–Ω日";
    std::u32string text;
    for (int i = 0; i < length; ++i) {
        text += letters[static_cast<std::size_t>(below(static_cast<int>(letters.size())))];
    }
    return text;
}

// The program sets its title its own way; it never deletes a property.
void Soak::retitle(Window& window, std::u32string text)
{
    window.text = std::move(text);
    const std::string latin1Bytes = toBytes(window.text, false);
    switch (window.kind) {
    case Qt:
        m_client.setProperty(window.id, "_NET_WM_NAME", utf8(toUtf8(window.text)));
        m_client.setProperty(window.id, "WM_NAME", utf8(toUtf8(window.text)));
        break;
    case Gtk:
        m_client.setProperty(window.id, "_NET_WM_NAME", utf8(toUtf8(window.text)));
        m_client.setProperty(window.id, "WM_NAME", latin1(latin1Bytes));
        break;
    case Xlib:
        m_client.setProperty(window.id, "WM_NAME", latin1(latin1Bytes));
        break;
    case Xt:
        m_client.setProperty(window.id, "WM_NAME", compoundText(toBytes(window.text, true)));
        break;
    case Xdotool:
        m_client.setProperty(window.id, "_NET_WM_NAME", latin1(latin1Bytes));
        m_client.setProperty(window.id, "WM_NAME", latin1(latin1Bytes));
        break;
    }
}

void Soak::create()
{
    const auto kind = static_cast<Kind>(below(5));
    const xcb_window_t id = m_client.createWindow({}); // untitled until its program says
    m_windows.push_back({id, kind, {}});
    retitle(m_windows.back(), randomText(below(10) == 0 ? 300 : below(14)));
}

void Soak::destroy(xcb_window_t id)
{
    m_log.push_back("  destroy " + std::to_string(id));
    m_client.destroy(id);
    std::erase_if(m_windows, [id](const Window& w) { return w.id == id; });
}

Window* Soak::find(WindowId id)
{
    for (Window& window : m_windows) {
        if (window.id == id) {
            return &window;
        }
    }
    return nullptr;
}

std::string Soak::timeText(long s, long hours) const
{
    char text[64];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", s / 3600 % hours, s / 60 % 60, s % 60);
    return text;
}

void Soak::step()
{
    const int roll = below(100);
    Window* decorated = find(m_writer->LastWindow);
    if (decorated && roll >= 20 && roll < 45 && below(3) == 0) {
        // Its program retitles the decorated window just before a switch or a kill.
        m_log.push_back("retitle " + std::to_string(decorated->id) + " first");
        retitle(*decorated, randomText(below(14)));
    }
    if (roll < 10 && m_windows.size() < 8) {
        m_log.push_back("create");
        create();
    } else if (roll < 20 && m_windows.size() > 2) {
        const xcb_window_t victim = decorated && below(2) ? decorated->id : any().id;
        if (m_running && below(2)) { // in the middle of the next call
            m_tap.point = below(4);
            m_tap.victim = victim;
            m_log.push_back("destroy at point " + std::to_string(m_tap.point));
        } else {
            destroy(victim);
        }
    } else if (roll < 42) {
        const xcb_window_t target = any().id;
        m_log.push_back("activate " + std::to_string(target));
        m_client.activate(target);
    } else if (roll < 45) {
        m_log.push_back("killed; the next run starts");
        m_titles->sync();
        m_titles = std::make_unique<XcbWindowTitles>();
        m_titles->recoverAbandonedTitles();
        m_writer = std::make_unique<TitleBarWriter>(m_tap);
        m_running = false;
    } else if (roll < 75) {
        Window& target = decorated && below(2) ? *decorated : any();
        // Half the time as long as the title shows now, decoration and all.
        const auto shown = m_client.property(target.id, "_NET_WM_NAME");
        const int length = below(2) && shown && shown->type == "UTF8_STRING"
                               ? utf8Length(shown->bytes)
                               : below(14);
        m_log.push_back("retitle " + std::to_string(target.id) + " to " + std::to_string(length));
        retitle(target, randomText(length));
    } else if (roll < 82) {
        m_running = !m_running;
        m_log.push_back(m_running ? "start" : "stop");
        if (!m_running) {
            m_writer->restoreLastWindow();
        }
    } else if (roll < 88) {
        m_displayClock = below(3);
        m_log.push_back("display clock " + std::to_string(m_displayClock));
    } else {
        m_log.push_back("tick");
    }
    if (m_running) {
        ++m_seconds;
        m_writer->TitleBar(timeText(m_seconds, 100), timeText(36000 + m_seconds, 24),
                           m_displayClock);
    }
    if (m_tap.point >= 0) { // the call never got there
        m_tap.point = -1;
        destroy(m_tap.victim);
    }
}

// Every window carries its own title as its program set it, but the one decorated.
bool Soak::check()
{
    m_titles->sync();
    for (const Window& window : m_windows) {
        const std::string text = toUtf8(shown(window.text, window.kind));
        Title expected;
        if (m_running && window.id == m_writer->LastWindow) {
            if (m_displayClock == 2) {
                continue; // writes nothing; a decoration from before may stand
            }
            const std::string title = TitleBarWriter::composeTitle(
                timeText(m_seconds, 100), timeText(36000 + m_seconds, 24), m_displayClock, text);
            expected = {utf8(title), utf8(title)};
        } else {
            const std::string bytes = toBytes(window.text, window.kind == Xt);
            const Property wmName = window.kind == Qt   ? utf8(text)
                                    : window.kind == Xt ? compoundText(bytes)
                                                        : latin1(bytes);
            expected = {window.kind == Qt || window.kind == Gtk ? std::optional(utf8(text))
                        : window.kind == Xdotool                ? std::optional(latin1(bytes))
                                                                : std::nullopt,
                        wmName};
        }
        const Title actual = m_client.title(window.id);
        if (actual != expected) {
            std::printf("window %u (kind %d) shows\n  %s\nnot\n  %s\n", window.id, window.kind,
                        describe(actual).c_str(), describe(expected).c_str());
            return false;
        }
    }
    return true;
}

int Soak::run(long operations, std::chrono::seconds limit)
{
    if (!m_client.connected() || !m_titles->connected()) {
        std::fprintf(stderr, "titles_soak: needs an X display\n");
        return 77;
    }
    for (int i = 0; i < 4; ++i) {
        create();
    }
    const auto end = std::chrono::steady_clock::now() + limit;
    long done = 0;
    for (; done < operations && std::chrono::steady_clock::now() < end; ++done) {
        step();
        if (!check()) {
            std::printf("failed at step %ld, after:\n", done);
            for (std::size_t i = m_log.size() > 12 ? m_log.size() - 12 : 0; i < m_log.size(); ++i) {
                std::printf("  %s\n", m_log[i].c_str());
            }
            return 1;
        }
    }
    m_writer->restoreLastWindow();
    m_running = false;
    std::printf("titles_soak: %ld steps, every title right\n", done);
    return check() ? 0 : 1;
}

} // namespace
} // namespace horaloom::test

int main(int argc, char* argv[])
{
    long operations = 2000;
    long seconds = 120;
    std::uint64_t seed = std::random_device{}();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        const long value = std::strtol(argv[i + 1], nullptr, 10);
        if (option == "--operations") {
            operations = value;
        } else if (option == "--seconds") {
            seconds = value;
        } else if (option == "--seed") {
            seed = static_cast<std::uint64_t>(value);
        } else {
            std::fprintf(stderr, "usage: titles_soak [--operations N] [--seed S] [--seconds T]\n");
            return 2;
        }
    }
    std::printf("titles_soak: seed %llu\n", static_cast<unsigned long long>(seed));
    return horaloom::test::Soak(seed).run(operations, std::chrono::seconds(seconds));
}
