// titles_soak: other programs' windows are made, activated, retitled in their own encodings and
// destroyed at random while the title writer runs over the real X11 backend; now and then the
// run is killed and the next one starts. After every step each window's title is checked byte
// for byte. ctest runs a short seeded run; a long one by hand:
//
//   scripts/desktop-session build/tests/soak/titles_soak --steps 100000 [--seed S]
//
// It stops after --seconds (default 120) whatever is left. Exit status: 0 every check passed, 1
// one failed (the seed and the last steps are printed), 77 no X display.
#include "titlebarwriter.h"
#include "x11client.h"
#include "xcbwindowtitles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <random>

namespace horaloom::test {
namespace {

// How a program titles its window: Qt (both UTF-8), GTK (UTF-8 and Latin-1), Xlib (WM_NAME in
// Latin-1), Xt (WM_NAME in COMPOUND_TEXT), xdotool (both Latin-1).
enum Kind { Qt, Gtk, Xlib, Xt, Xdotool };

// The letters titles are made of, in UTF-8, Latin-1 and COMPOUND_TEXT ("?" where one has none),
// and as a reader decodes the last two.
enum Form { Utf8, Latin1, Compound, ReadLatin1, ReadCompound };
const std::vector<const char*> letters[] = {
    {"a", "Z", " ", "-", "é", "Ω", "日", "–"},
    {"a", "Z", " ", "-", "\xE9", "?", "?", "?"},
    {"a", "Z", " ", "-", "\x1B-A\xE9", "\x1B-F\xD9", "?", "?"},
    {"a", "Z", " ", "-", "é", "?", "?", "?"},
    {"a", "Z", " ", "-", "é", "Ω", "?", "?"}};

struct Window {
    xcb_window_t id;
    Kind kind;
    std::vector<int> text; // letters
    std::string in(Form form) const
    {
        std::string out;
        for (const int i : text) {
            out += letters[form][i];
        }
        return out;
    }
    std::string shown() const
    {
        return in(kind <= Gtk ? Utf8 : kind == Xt ? ReadCompound : ReadLatin1);
    }
    Title own() const // _NET_WM_NAME, WM_NAME
    {
        const Property u = utf8(in(Utf8)), l = latin1(in(Latin1));
        const Title byKind[] = {
            {u, u}, {u, l}, {std::nullopt, l}, {std::nullopt, compoundText(in(Compound))}, {l, l}};
        return byKind[kind];
    }
};

std::string clock(long s, long hours)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", s / 3600 % hours, s / 60 % 60, s % 60);
    return text;
}

class Soak {
public:
    explicit Soak(std::uint64_t seed) : m_random(seed) {}
    int run(long steps, std::chrono::seconds limit);

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    Window& any() { return m_windows[static_cast<std::size_t>(below(int(m_windows.size())))]; }
    void log(std::string step) { m_log.push_back(std::move(step)); }
    void retitle(Window& window, int length);
    void step();
    bool check();

    std::mt19937_64 m_random;
    X11Client m_client;
    std::unique_ptr<XcbWindowTitles> m_titles = std::make_unique<XcbWindowTitles>();
    std::unique_ptr<TitleBarWriter> m_writer = std::make_unique<TitleBarWriter>(*m_titles);
    std::vector<Window> m_windows;
    std::vector<std::string> m_log; // the steps so far, for a failure report
    bool m_running = false;
    int m_displayClock = 0;
    long m_seconds = 0;
};

// The program sets its title its own way; it never deletes a property.
void Soak::retitle(Window& window, int length)
{
    window.text.clear();
    for (int i = 0; i < length; ++i) {
        window.text.push_back(below(static_cast<int>(letters[Utf8].size())));
    }
    const Title own = window.own();
    if (own[0]) {
        m_client.setProperty(window.id, "_NET_WM_NAME", *own[0]);
    }
    m_client.setProperty(window.id, "WM_NAME", *own[1]);
}

void Soak::step()
{
    const int roll = below(100);
    auto decorated = std::find_if(m_windows.begin(), m_windows.end(),
                                  [this](const Window& w) { return w.id == m_writer->LastWindow; });
    if (decorated != m_windows.end() && roll >= 20 && roll < 45 && below(3) == 0) {
        log("its program retitles the decorated window first");
        retitle(*decorated, below(14));
    }
    if (roll < 10 && m_windows.size() < 8) {
        log("create");
        m_windows.push_back({m_client.createWindow(), static_cast<Kind>(below(5)), {}});
        retitle(m_windows.back(), below(10) == 0 ? 300 : below(14)); // untitled until then
    } else if (roll < 20 && m_windows.size() > 2) {
        const xcb_window_t gone =
            decorated != m_windows.end() && below(2) ? decorated->id : any().id;
        log("destroy " + std::to_string(gone));
        m_client.destroy(gone);
        std::erase_if(m_windows, [gone](const Window& w) { return w.id == gone; });
    } else if (roll < 42) {
        const xcb_window_t target = any().id;
        log("activate " + std::to_string(target));
        m_client.activate(target);
    } else if (roll < 45) {
        log("killed; the next run starts");
        m_titles->sync();
        m_titles = std::make_unique<XcbWindowTitles>();
        m_titles->recoverAbandonedTitles();
        m_writer = std::make_unique<TitleBarWriter>(*m_titles);
        m_running = false;
    } else if (roll < 75) {
        Window& target = decorated != m_windows.end() && below(2) ? *decorated : any();
        const int length = below(14);
        log("retitle " + std::to_string(target.id) + " to " + std::to_string(length));
        retitle(target, length);
    } else if (roll < 82) {
        m_running = !m_running;
        log(m_running ? "start" : "stop");
        if (!m_running) {
            m_writer->restoreLastWindow();
        }
    } else if (roll < 88) {
        m_displayClock = below(3);
        log("display clock " + std::to_string(m_displayClock));
    }
    if (m_running) {
        ++m_seconds;
        m_writer->TitleBar(clock(m_seconds, 100), clock(36000 + m_seconds, 24), m_displayClock);
    }
}

// Every window carries its own title as its program set it, but the one decorated.
bool Soak::check()
{
    m_titles->sync();
    for (const Window& window : m_windows) {
        Title expected = window.own();
        if (m_running && window.id == m_writer->LastWindow) {
            if (m_displayClock == 2) {
                continue; // writes nothing; a decoration from before may stand
            }
            const std::string title =
                TitleBarWriter::composeTitle(clock(m_seconds, 100), clock(36000 + m_seconds, 24),
                                             m_displayClock, window.shown());
            expected = {utf8(title), utf8(title)};
        }
        const Title actual = m_client.title(window.id);
        if (actual != expected) {
            std::cout << "window " << window.id << " (kind " << window.kind << ") shows\n  ";
            PrintTo(actual, &std::cout);
            std::cout << "\nnot\n  ";
            PrintTo(expected, &std::cout);
            std::cout << std::endl;
            return false;
        }
    }
    return true;
}

int Soak::run(long steps, std::chrono::seconds limit)
{
    if (!m_client.connected() || !m_titles->connected()) {
        std::fprintf(stderr, "titles_soak: needs an X display\n");
        return 77;
    }
    for (int i = 0; i < 4; ++i) {
        m_windows.push_back({m_client.createWindow(), static_cast<Kind>(i), {}});
        retitle(m_windows.back(), 5);
    }
    const auto end = std::chrono::steady_clock::now() + limit;
    long done = 0;
    for (; done < steps && std::chrono::steady_clock::now() < end; ++done) {
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
    std::map<std::string, long> options{
        {"--steps", 2000}, {"--seed", std::random_device{}() % 1000000}, {"--seconds", 120}};
    for (int i = 1; i + 1 < argc; i += 2) {
        options[argv[i]] = std::strtol(argv[i + 1], nullptr, 10);
    }
    std::printf("titles_soak: seed %ld\n", options["--seed"]);
    return horaloom::test::Soak(static_cast<std::uint64_t>(options["--seed"]))
        .run(options["--steps"], std::chrono::seconds(options["--seconds"]));
}
