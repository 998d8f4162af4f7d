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
    m_x.discardErrors();
    XcbForeground foreground(m_x, m_atoms.netActiveWindow, m_atoms.wmState);
    const XcbForeground::Query query = foreground.ask();
    if (m_lastForeground != XCB_NONE) {
        // Sent after everything this connection wrote before, so the server answers with the
        // title as it holds it now.
        m_prefetch = requestTitle(m_lastForeground);
    }
    const xcb_window_t window = foreground.answer(query);
    if (m_prefetch && m_prefetch->window != window) {
        dropPrefetch();
    }
    m_lastForeground = window;
    return window;
}

int XcbWindowTitles::titleLength(WindowId window)
{
    if (!isWindow(window)) {
        return 0;
    }
    m_x.discardErrors();
    const auto title = takeTitle(static_cast<xcb_window_t>(window));
    return title ? utf8Length(title->text) : 0;
}

std::string XcbWindowTitles::readTitle(WindowId window)
{
    if (!isWindow(window)) {
        return {};
    }
    m_x.discardErrors();
    const auto id = static_cast<xcb_window_t>(window);
    auto title = takeTitle(id);
    if (!title) {
        m_snapshots.erase(id);
        return {};
    }
    // The same own title as before, or our own decoration read back: the restore point stays.
    const auto known = m_snapshots.find(id);
    if (known != m_snapshots.end() &&
        ((known->second.netWmName == title->netWmName && known->second.wmName == title->wmName) ||
         known->second.written == title->text)) {
        return title->text;
    }
    std::string text = title->text;
    m_snapshots[id] = std::move(*title);
    return text;
}

void XcbWindowTitles::writeTitle(WindowId window, std::string_view title)
{
    dropPrefetch();
    if (!isWindow(window) || !m_x.connected()) {
        return;
    }
    m_x.discardErrors();
    const auto id = static_cast<xcb_window_t>(window);
    const auto snapshot = m_snapshots.find(id);
    if (snapshot != m_snapshots.end()) {
        if (!snapshot->second.noted) {
            noteOwnTitle(id, snapshot->second);
            snapshot->second.noted = true;
        }
        snapshot->second.written = std::string(title);
    }
    putUtf8Title(id, title);
    m_x.flush();
}

void XcbWindowTitles::restoreTitle(WindowId window, std::string_view ownTitle)
{
    dropPrefetch();
    if (!isWindow(window) || !m_x.connected()) {
        return;
    }
    m_x.discardErrors();
    const auto id = static_cast<xcb_window_t>(window);
    const auto snapshot = m_snapshots.find(id);
    if (snapshot == m_snapshots.end()) {
        putUtf8Title(id, ownTitle);
    } else {
        if (snapshot->second.text == ownTitle) {
            putRawTitle(id, snapshot->second);
        } else {
            putUtf8Title(id, ownTitle);
        }
        if (snapshot->second.noted) {
            m_x.deleteProperty(id, m_atoms.ownTitle);
        }
        m_snapshots.erase(snapshot);
    }
    m_x.flush();
}

void XcbWindowTitles::restoreAll()
{
    dropPrefetch();
    if (!m_x.connected()) {
        return;
    }
    m_x.discardErrors();
    for (const auto& [window, snapshot] : m_snapshots) {
        if (snapshot.noted) {
            putRawTitle(window, snapshot);
            m_x.deleteProperty(window, m_atoms.ownTitle);
        }
    }
    m_snapshots.clear();
    m_x.sync();
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

// The title of the window foregroundWindow() answered, from the replies it asked for on the
// way, if nothing has come between; otherwise asked for now.
std::optional<XcbWindowTitles::Snapshot> XcbWindowTitles::takeTitle(xcb_window_t window)
{
    if (m_prefetch && m_prefetch->window == window) {
        const TitleRequest request = *m_prefetch;
        m_prefetch.reset();
        return receiveTitle(request);
    }
    dropPrefetch();
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
    Snapshot snapshot{std::move(*netWmName), std::move(*wmName), {}, false, std::nullopt};
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

void XcbWindowTitles::noteOwnTitle(xcb_window_t window, const Snapshot& snapshot)
{
    std::vector<RecordedProperty> properties;
    const auto add = [&](std::string_view name, const RawProperty& value) {
        if (value.present) {
            properties.push_back(
                {std::string(name), typeName(value.type), value.format, value.bytes});
        }
    };
    add(netWmNameName, snapshot.netWmName);
    add(wmNameName, snapshot.wmName);
    m_x.writeProperty(window, m_atoms.ownTitle,
                      {true, m_atoms.ownTitle, 8, encodeTitleRecord(properties)});
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
