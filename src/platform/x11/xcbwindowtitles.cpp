#include "xcbwindowtitles.h"

#include "compoundtext.h"
#include "titlerecord.h"
#include "titletext.h"
#include "xcbforeground.h"

#include <limits>

namespace horaloom {

namespace {

constexpr std::string_view netWmNameName = "_NET_WM_NAME";
constexpr std::string_view wmNameName = "WM_NAME";

// X window ids are 32 bits; anything else cannot be a window of this server.
bool isWindow(WindowId window)
{
    return window != 0 && window <= std::numeric_limits<xcb_window_t>::max();
}

} // namespace

XcbWindowTitles::XcbWindowTitles()
{
    internAtoms();
}

void XcbWindowTitles::internAtoms()
{
    if (!m_x.connected()) {
        return;
    }
    const std::vector<std::string> names = {
        "UTF8_STRING",      "COMPOUND_TEXT", "_NET_WM_NAME",       "_NET_ACTIVE_WINDOW",
        "_NET_CLIENT_LIST", "WM_STATE",      "_HORALOOM_OWN_TITLE"};
    const std::vector<xcb_atom_t> atoms = m_x.internAtoms(names);
    m_atoms = {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5], atoms[6]};
    for (std::size_t i = 0; i < names.size(); ++i) {
        m_typeNames[atoms[i]] = names[i];
    }
    m_typeNames[XCB_ATOM_STRING] = "STRING";
}

WindowId XcbWindowTitles::foregroundWindow()
{
    dropPrefetch();
    if (!m_x.connected()) {
        return 0;
    }
    absorbEvents();
    if (m_activeKnown) {
        return m_lastForeground;
    }
    XcbForeground foreground(m_x, m_atoms.netActiveWindow, m_atoms.wmState);
    const XcbForeground::Query query = foreground.ask();
    if (m_lastForeground != XCB_NONE) {
        // Sent after everything this connection wrote before, so the server answers with the
        // title as it holds it now.
        m_prefetch = requestTitle(m_lastForeground);
    }
    // When the foreground has moved on, the early replies are the title of the window that lost
    // it, which the writer reads next to hand that window its title back: they are kept for it.
    m_lastForeground = foreground.answer(query);
    // Watched from before the question: from now on the events tell when the answer changes.
    m_activeKnown = m_watchingRoot && foreground.fromActiveWindow();
    return m_lastForeground;
}

std::string XcbWindowTitles::readTitle(WindowId window)
{
    if (!isWindow(window)) {
        return {};
    }
    absorbEvents();
    const auto id = static_cast<xcb_window_t>(window);
    // Only the read right after a foreground answer the events vouch for, of that window: a
    // window that lost the foreground is read afresh before it is handed its title back.
    if (id == m_watched && m_watchedClean && id == m_lastForeground && m_activeKnown) {
        if (const auto own = m_snapshots.find(id);
            own != m_snapshots.end() && own->second.written) {
            dropPrefetch();
            return *own->second.written;
        }
    }
    return currentTitle(static_cast<xcb_window_t>(window)).value_or(std::string());
}

// The title as the window shows it now, or nothing for a window that is gone. Keeps the
// snapshot at the program's own title: our decoration read back leaves it as it is, anything
// the program wrote since becomes the new restore point.
std::optional<std::string> XcbWindowTitles::currentTitle(xcb_window_t window)
{
    auto title = takeTitle(window);
    const auto known = m_snapshots.find(window);
    if (!title) {
        if (known != m_snapshots.end()) {
            m_snapshots.erase(known);
        }
        return std::nullopt;
    }
    if (known == m_snapshots.end()) {
        std::string text = title->text;
        m_snapshots.emplace(window, std::move(*title));
        return text;
    }
    Snapshot& own = known->second;
    if (own.written) {
        const RawProperty ours{true, m_atoms.utf8String, 8, *own.written};
        const bool netWmNameOurs = title->netWmName == ours;
        const bool wmNameOurs = title->wmName == ours;
        if (netWmNameOurs && wmNameOurs) {
            return title->text; // our decoration, as we wrote it
        }
        if (wmNameOurs) {
            // Retitled through _NET_WM_NAME, which shows; our write left in WM_NAME is hidden
            // behind it until the restore puts back the program's WM_NAME.
            retitledPartly(own, std::move(title->netWmName), own.wmName);
            return own.text;
        }
        if (netWmNameOurs) {
            // Retitled through WM_NAME: our write left in _NET_WM_NAME would hide the new title
            // for good, so the program's state goes back there now, and nothing of ours is left.
            const Quiet quiet(*this, window);
            own.netWmName = netWmNameBeside(own.netWmName, title->wmName);
            own.wmName = std::move(title->wmName);
            own.text = decode(own.netWmName, own.wmName);
            own.written.reset();
            m_x.writeProperty(window, m_atoms.netWmName, own.netWmName);
            dropNote(window, own);
            return own.text;
        }
        // Retitled through both properties, perhaps to the same title as before: nothing of ours
        // is left on the window, nor is its note.
        own.written.reset();
        dropNote(window, own);
    }
    if (own.netWmName == title->netWmName && own.wmName == title->wmName) {
        return title->text;
    }
    dropNote(window, own);
    std::string text = title->text;
    own = std::move(*title);
    return text;
}

// The note goes at once; the next write notes the window's title as it is then.
void XcbWindowTitles::dropNote(xcb_window_t window, Snapshot& own)
{
    if (own.noted) {
        m_x.deleteProperty(window, m_atoms.ownTitle);
        own.noted = false;
        own.noteBehind = false;
    }
    m_x.flush();
}

// What a program that has just set WM_NAME left in _NET_WM_NAME, where our write still is.
// One that never had a UTF-8 _NET_WM_NAME (none, or one of a type no one reads) keeps what it
// had: absent stays absent. One that titled itself through a UTF-8 _NET_WM_NAME before gets its
// new title there as UTF-8, so that the title handed back reads as the program's new one.
RawProperty XcbWindowTitles::netWmNameBeside(const RawProperty& before, const RawProperty& wmName)
{
    if (!before.present || before.type != m_atoms.utf8String || before.format != 8) {
        return before;
    }
    return {true, m_atoms.utf8String, 8, decode({}, wmName)};
}

// The program's title is now these two properties; the window still carries our decoration in
// one of them. The note stays as it is until our next write: that decoration still ends with the
// title the note names, which is how a later run tells it from what the program wrote.
void XcbWindowTitles::retitledPartly(Snapshot& own, RawProperty netWmName, RawProperty wmName)
{
    if (own.netWmName == netWmName && own.wmName == wmName) {
        return;
    }
    own.netWmName = std::move(netWmName);
    own.wmName = std::move(wmName);
    own.text = decode(own.netWmName, own.wmName);
    own.noteBehind = own.noted;
}

void XcbWindowTitles::writeTitle(WindowId window, std::string_view title)
{
    dropPrefetch();
    if (!isWindow(window) || !m_x.connected()) {
        return;
    }
    m_x.discardErrors();
    const auto id = static_cast<xcb_window_t>(window);
    watch(id);
    const Quiet quiet(*this, id);
    const auto snapshot = m_snapshots.find(id);
    if (snapshot != m_snapshots.end()) {
        Snapshot& own = snapshot->second;
        if (!own.noted || own.noteBehind) {
            noteOwnTitle(id, own);
            own.noted = true;
            own.noteBehind = false;
        }
        own.written = std::string(title);
    }
    putUtf8Title(id, title);
    m_x.flush();
    m_watchedClean = id == m_watched;
}

void XcbWindowTitles::restoreTitle(WindowId window, std::string_view ownTitle)
{
    dropPrefetch();
    if (!isWindow(window) || !m_x.connected()) {
        return;
    }
    m_x.discardErrors();
    const auto id = static_cast<xcb_window_t>(window);
    // A window handed back its title is watched no more.
    if (id == m_watched) {
        selectEvents(id, 0);
        m_watched = XCB_NONE;
    }
    const auto snapshot = m_snapshots.find(id);
    if (snapshot == m_snapshots.end()) {
        putUtf8Title(id, ownTitle);
    } else {
        if (snapshot->second.text == ownTitle) {
            putRawTitle(id, snapshot->second);
        } else {
            putUtf8Title(id, ownTitle);
        }
        m_snapshots.erase(snapshot);
    }
    // Whatever became of the snapshot on the way, no note outlives the restore.
    m_x.deleteProperty(id, m_atoms.ownTitle);
    m_x.flush();
}

XcbWindowTitles::TitleRequest XcbWindowTitles::requestTitle(xcb_window_t window)
{
    return {window, m_x.requestProperty(window, m_atoms.netWmName),
            m_x.requestProperty(window, XCB_ATOM_WM_NAME)};
}

std::optional<XcbWindowTitles::Snapshot> XcbWindowTitles::fetchTitle(xcb_window_t window)
{
    if (!m_x.connected()) {
        return std::nullopt;
    }
    return receiveTitle(requestTitle(window));
}

// The title from the replies foregroundWindow() asked for on the way, if they are for this
// window and no write has come between; otherwise asked for now. A read of another window
// leaves them be: it changes nothing on the window they are for.
std::optional<XcbWindowTitles::Snapshot> XcbWindowTitles::takeTitle(xcb_window_t window)
{
    if (m_prefetch && m_prefetch->window == window) {
        const TitleRequest request = *m_prefetch;
        m_prefetch.reset();
        return receiveTitle(request);
    }
    return fetchTitle(window);
}

void XcbWindowTitles::dropPrefetch()
{
    if (m_prefetch) {
        m_x.discard(m_prefetch->netWmName.sequence);
        m_x.discard(m_prefetch->wmName.sequence);
        m_prefetch.reset();
    }
}

std::optional<XcbWindowTitles::Snapshot> XcbWindowTitles::receiveTitle(const TitleRequest& request)
{
    const xcb_window_t window = request.window;
    auto netWmName = m_x.receiveProperty(request.netWmName, window, m_atoms.netWmName);
    auto wmName = m_x.receiveProperty(request.wmName, window, XCB_ATOM_WM_NAME);
    if (!netWmName || !wmName) {
        return std::nullopt;
    }
    Snapshot snapshot;
    snapshot.netWmName = std::move(*netWmName);
    snapshot.wmName = std::move(*wmName);
    snapshot.text = decode(snapshot.netWmName, snapshot.wmName);
    return snapshot;
}

std::string XcbWindowTitles::decode(const RawProperty& netWmName, const RawProperty& wmName) const
{
    if (netWmName.present && netWmName.type == m_atoms.utf8String && netWmName.format == 8) {
        return cleanUtf8(netWmName.bytes);
    }
    if (!wmName.present || wmName.format != 8) {
        return {};
    }
    if (wmName.type == m_atoms.utf8String) {
        return cleanUtf8(wmName.bytes);
    }
    if (wmName.type == m_atoms.compoundText) {
        return decodeCompoundText(wmName.bytes);
    }
    return latin1ToUtf8(wmName.bytes); // STRING, and the odd program's own text types
}

void XcbWindowTitles::putUtf8Title(xcb_window_t window, std::string_view title)
{
    const RawProperty value{true, m_atoms.utf8String, 8, std::string(title)};
    m_x.writeProperty(window, m_atoms.netWmName, value);
    m_x.writeProperty(window, XCB_ATOM_WM_NAME, value);
}

void XcbWindowTitles::putRawTitle(xcb_window_t window, const Snapshot& snapshot)
{
    m_x.writeProperty(window, m_atoms.netWmName, snapshot.netWmName);
    m_x.writeProperty(window, XCB_ATOM_WM_NAME, snapshot.wmName);
}

// The decorations that follow end with the snapshot's text: the writer composes them from what
// the read before gave it.
void XcbWindowTitles::noteOwnTitle(xcb_window_t window, const Snapshot& snapshot)
{
    TitleRecord record;
    const auto add = [&](std::string_view name, const RawProperty& value) {
        if (value.present) {
            record.properties.push_back(
                {std::string(name), typeName(value.type), value.format, value.bytes});
        }
    };
    add(netWmNameName, snapshot.netWmName);
    add(wmNameName, snapshot.wmName);
    record.decoratedTitle = snapshot.text;
    m_x.writeProperty(window, m_atoms.ownTitle,
                      {true, m_atoms.ownTitle, 8, encodeTitleRecord(record)});
}

std::string XcbWindowTitles::typeName(xcb_atom_t type)
{
    const auto known = m_typeNames.find(type);
    if (known != m_typeNames.end()) {
        return known->second;
    }
    std::string name = m_x.atomName(type);
    if (!name.empty()) {
        m_typeNames[type] = name;
    }
    return name;
}

} // namespace horaloom
