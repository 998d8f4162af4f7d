// TitlesSoak, continued: what the other programs and the user do with the windows.
#include "titlessoak.h"

namespace horaloom::soak {

namespace {

constexpr auto activationPatience = std::chrono::milliseconds(1500);

} // namespace

// A program starts: its window comes to the front, or stays behind the one there.
void TitlesSoak::create()
{
    OwnTitle title;
    title.kind = m_maker.randomKind(true);
    if (title.kind != TitleKind::Untitled) {
        m_maker.retitle(title, m_maker.randomText(title.kind, m_maker.randomLength()));
    }
    const xcb_window_t before = m_front;
    const xcb_window_t id = m_desktop.createWindow(title);
    m_windows.push_back({id, false, title});
    ++m_created;
    const bool behind = find(before) != nullptr && chance(30);
    note("create " + hex(id) + " (" + soak::describe(title.kind) + ", " +
         std::to_string(title.length()) + " characters)" + (behind ? " behind" : ""));
    // Whether the window manager focuses a new window at once is its own business; asking for
    // the outcome keeps a seed's run the same every time.
    bringToFront(id);
    if (behind) {
        bringToFront(before);
    }
}

void TitlesSoak::destroy()
{
    Window* decorated = decoratedOther();
    const Window& target = decorated != nullptr && chance(40) ? *decorated : randomWindow(false);
    const xcb_window_t id = target.id;
    Vanish how = Plain;
    if (m_running && decorated != nullptr && id == decorated->id && id == m_front) {
        how = static_cast<Vanish>(below(4)); // Plain, AfterForeground, AfterRead, BeforeWrite
    }
    static const char* const moments[] = {"", " during the tick, after the foreground query",
                                          " during the tick, after the read",
                                          " during the tick, before the write"};
    note("destroy " + hex(id) + (id == m_writer.LastWindow ? " (the decorated window)" : "") +
         moments[how]);
    if (how == Plain) {
        vanish(id, Plain);
        if (m_frontGone) {
            m_frontGone = false;
            bringSomeoneToFront();
        }
        return;
    }
    m_pendingVanish = id;
    m_tapped.once(how == AfterForeground ? TappedTitles::Point::AfterForeground
                  : how == AfterRead     ? TappedTitles::Point::AfterRead
                                         : TappedTitles::Point::BeforeWrite,
                  [this, id, how] { vanish(id, how); });
}

void TitlesSoak::vanish(xcb_window_t window, Vanish how)
{
    m_desktop.destroy(window);
    std::erase_if(m_windows, [window](const Window& w) { return w.id == window; });
    ++m_vanished[how];
    if (window == m_front) {
        m_frontGone = true;
    }
}

void TitlesSoak::activate()
{
    Window* target = &randomWindow(true);
    for (int tries = 0; tries < 3 && target->id == m_front; ++tries) {
        target = &randomWindow(true);
    }
    const xcb_window_t id = target->id;
    const Window* decorated = decoratedOther();
    const bool vanishFirst = m_running && decorated != nullptr && decorated->id != id &&
                             m_windows.size() > 2 && chance(12);
    note("activate " + hex(id) + (target->main ? " (main window)" : ""));
    if (vanishFirst) {
        const xcb_window_t old = decorated->id;
        note("destroy " + hex(old) +
             " (the decorated window) during the tick, before its "
             "restore");
        m_pendingVanish = old;
        m_tapped.once(TappedTitles::Point::BeforeRestore,
                      [this, old] { vanish(old, BeforeRestore); });
    }
    bringToFront(id);
}

// The text a window shows at the moment: the UTF-8 _NET_WM_NAME when it has one (our
// decoration among them), else its own title.
int TitlesSoak::shownLength(const Window& window)
{
    m_backend.sync();
    const auto actual = m_desktop.readTitles({window.id});
    if (actual.front() && actual.front()->netWmName &&
        actual.front()->netWmName->type == m_desktop.typeAtoms().utf8String) {
        return utf8Length(actual.front()->netWmName->bytes);
    }
    return window.title.length();
}

void TitlesSoak::retitle(bool sameLength)
{
    Window* decorated = decoratedOther();
    Window& target = decorated != nullptr && chance(60) ? *decorated : randomWindow(false);
    const bool isDecorated = &target == decorated;
    OwnTitle& title = target.title;
    if (title.kind == TitleKind::Untitled) {
        title.kind = m_maker.randomKind(false); // a program titling its window late
    }
    const int shown = shownLength(target);
    std::u32string text;
    std::string how;
    if (sameLength && shown > 0) {
        const std::string before = toUtf8(title.text);
        do {
            text = m_maker.randomText(title.kind, shown);
        } while (toUtf8(text) == before);
        how = "the same length as the title shown, " + std::to_string(shown) + " characters";
        m_sameLengthOnDecorated += isDecorated ? 1 : 0;
    } else {
        if (sameLength) { // nothing else has length 0
            --m_operations[RetitleSameLength];
            ++m_operations[RetitleOtherLength];
        }
        if (isDecorated && title.length() > 0 && chance(10)) {
            text = title.text;
            how = "its own title again";
        } else {
            int length = 0;
            do {
                length = m_maker.randomLength();
            } while (length == shown);
            text = m_maker.randomText(title.kind, length);
            how = std::to_string(length) + " characters, " + std::to_string(shown) + " shown";
        }
    }
    m_maker.retitle(title, std::move(text));
    m_desktop.setTitle(target.id, title);
    note("retitle " + hex(target.id) + (isDecorated ? " (the decorated window)" : "") + " as " +
         soak::describe(title.kind) + ": " + how);
    // A tick comes once a second: the user may switch windows within that second.
    if (isDecorated && m_running && chance(15)) {
        const xcb_window_t id = target.id;
        Window* next = &randomWindow(true);
        while (next->id == id) {
            next = &randomWindow(true);
        }
        note("activate " + hex(next->id) + " before the next tick");
        ++m_switchesBeforeTick;
        bringToFront(next->id);
    }
}

bool TitlesSoak::bringToFront(xcb_window_t window)
{
    const auto reported = [this, window] { return m_backend.foregroundWindow() == window; };
    m_desktop.requestActivation(window);
    bool done = m_desktop.waitUntil(reported, activationPatience);
    if (!done) {
        ++m_activationRetries;
        m_desktop.requestActivation(window);
        done = m_desktop.waitUntil(reported, 2 * activationPatience);
    }
    if (done) {
        ++m_checks[Foreground].passed;
        m_front = window;
    } else {
        report(Foreground,
               "window " + hex(window) +
                   " was asked to the front, but the "
                   "backend's foregroundWindow() reports " +
                   hex(m_backend.foregroundWindow()),
               {});
    }
    return done;
}

void TitlesSoak::bringSomeoneToFront()
{
    bringToFront(randomWindow(true).id);
}

} // namespace horaloom::soak
