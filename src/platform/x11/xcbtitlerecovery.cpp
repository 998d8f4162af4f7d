// XcbWindowTitles, continued: handing titles back after a run that ended without doing so.
#include "titlerecord.h"
#include "xcbwindowtitles.h"

#include <algorithm>
#include <cstring>

namespace horaloom {

void XcbWindowTitles::recoverAbandonedTitles()
{
    dropPrefetch();
    if (!m_x.connected()) {
        return;
    }
    m_x.discardErrors();
    const std::vector<xcb_window_t> candidates = candidatesForRecovery();
    std::vector<xcb_get_property_cookie_t> cookies;
    for (const xcb_window_t window : candidates) {
        cookies.push_back(m_x.requestProperty(window, m_atoms.ownTitle));
    }
    std::vector<std::pair<xcb_window_t, RawProperty>> notes;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        auto note = m_x.receiveProperty(cookies[i], candidates[i], m_atoms.ownTitle);
        if (note && note->present) {
            notes.emplace_back(candidates[i], std::move(*note));
        }
    }
    if (!notes.empty()) {
        recover(notes);
    }
    m_x.flush();
}

// The client windows from the window manager's list, and the top-level windows (with no
// window manager these are the clients; with one, withdrawn clients live there). Without a
// client list, the children of the top-level windows too: the clients inside their frames.
std::vector<xcb_window_t> XcbWindowTitles::candidatesForRecovery()
{
    const xcb_window_t root = m_x.root();
    const auto listCookie = m_x.requestProperty(root, m_atoms.netClientList);
    const auto treeCookie = m_x.sent(xcb_query_tree(m_x.get(), root));
    const auto clientList = m_x.receiveProperty(listCookie, root, m_atoms.netClientList);
    const auto tree = m_x.wait(xcb_query_tree_reply, treeCookie);

    std::vector<xcb_window_t> windows;
    const bool haveClientList = clientList && clientList->present &&
                                clientList->type == XCB_ATOM_WINDOW && clientList->format == 32;
    if (haveClientList) {
        windows.resize(clientList->bytes.size() / sizeof(xcb_window_t));
        std::memcpy(windows.data(), clientList->bytes.data(),
                    windows.size() * sizeof(xcb_window_t));
    }
    std::vector<xcb_window_t> topLevel;
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        topLevel.assign(children, children + xcb_query_tree_children_length(tree.get()));
    }
    windows.insert(windows.end(), topLevel.begin(), topLevel.end());
    if (!haveClientList) {
        std::vector<xcb_query_tree_cookie_t> cookies;
        for (const xcb_window_t window : topLevel) {
            cookies.push_back(m_x.sent(xcb_query_tree(m_x.get(), window)));
        }
        for (const auto& cookie : cookies) {
            if (const auto frame = m_x.wait(xcb_query_tree_reply, cookie)) {
                const xcb_window_t* children = xcb_query_tree_children(frame.get());
                windows.insert(windows.end(), children,
                               children + xcb_query_tree_children_length(frame.get()));
            }
        }
    }
    std::sort(windows.begin(), windows.end());
    windows.erase(std::unique(windows.begin(), windows.end()), windows.end());
    return windows;
}

// Each window's properties that still hold our decoration get the window's own values back;
// one its program has set since stays the program's. The note goes either way.
void XcbWindowTitles::recover(const std::vector<std::pair<xcb_window_t, RawProperty>>& notes)
{
    std::vector<std::optional<TitleRecord>> records;
    std::vector<std::string> typeNames;
    for (const auto& note : notes) {
        records.push_back(note.second.type == m_atoms.ownTitle && note.second.format == 8
                              ? decodeTitleRecord(note.second.bytes)
                              : std::nullopt);
        if (records.back()) {
            for (const RecordedProperty& property : records.back()->properties) {
                typeNames.push_back(property.type);
            }
        }
    }
    const std::vector<xcb_atom_t> types = m_x.internAtoms(typeNames);
    std::vector<TitleRequest> requests;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (records[i]) {
            requests.push_back(requestTitle(notes[i].first));
        }
    }

    std::size_t nextType = 0;
    std::size_t nextRequest = 0;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const xcb_window_t window = notes[i].first;
        m_snapshots.erase(window);
        if (!records[i]) {
            m_x.deleteProperty(window, m_atoms.ownTitle);
            continue;
        }
        Snapshot noted;
        bool usable = true;
        for (const RecordedProperty& property : records[i]->properties) {
            const xcb_atom_t type = types[nextType++];
            RawProperty raw{true, type, static_cast<std::uint8_t>(property.format), property.bytes};
            usable = usable && type != XCB_NONE;
            if (property.name == "_NET_WM_NAME") {
                noted.netWmName = std::move(raw);
            } else if (property.name == "WM_NAME") {
                noted.wmName = std::move(raw);
            }
        }
        const auto current = receiveTitle(requests[nextRequest++]);
        if (usable && current) {
            recoverWindow(
                window, noted,
                records[i]->decoratedTitle.value_or(decode(noted.netWmName, noted.wmName)),
                *current);
        }
        // Last: whoever sees the note gone sees the window dealt with.
        m_x.deleteProperty(window, m_atoms.ownTitle);
    }
}

// As while running: where the program has set WM_NAME alone, _NET_WM_NAME shows its new title
// (or goes, for a program that never set one), so that our leftover cannot hide it.
void XcbWindowTitles::recoverWindow(xcb_window_t window, const Snapshot& noted,
                                    const std::string& title, const Snapshot& current)
{
    const bool netWmNameOurs = holdsDecoration(current.netWmName, title);
    const bool wmNameOurs = holdsDecoration(current.wmName, title);
    if (netWmNameOurs) {
        m_x.writeProperty(window, m_atoms.netWmName,
                          wmNameOurs ? noted.netWmName
                                     : netWmNameBeside(noted.netWmName, current.wmName));
    }
    if (wmNameOurs) {
        m_x.writeProperty(window, XCB_ATOM_WM_NAME, noted.wmName);
    }
}

bool XcbWindowTitles::holdsDecoration(const RawProperty& property, const std::string& title) const
{
    return property.present && property.type == m_atoms.utf8String && property.format == 8 &&
           isDecorationOf(property.bytes, title);
}

} // namespace horaloom
