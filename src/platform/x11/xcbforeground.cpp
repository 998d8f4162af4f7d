#include "xcbforeground.h"

namespace horaloom {

namespace {

// Nesting is shallow in practice (client, frame, root); deeper means something is odd.
constexpr int deepestNesting = 8;
constexpr int deepestSearch = 3;

} // namespace

XcbForeground::Query XcbForeground::ask()
{
    if (!m_x.connected()) {
        return {};
    }
    return {m_x.requestProperty(m_x.root(), m_netActiveWindow),
            m_x.sent(xcb_get_input_focus(m_x.get()))};
}

xcb_window_t XcbForeground::answer(const Query& query)
{
    if (!m_x.connected()) {
        return XCB_NONE;
    }
    xcb_connection_t* c = m_x.get();
    const auto active = m_x.receiveProperty(query.active, m_x.root(), m_netActiveWindow);
    const auto focus = m_x.wait(xcb_get_input_focus_reply, query.focus);
    m_fromActiveWindow = false;

    if (active && active->type == XCB_ATOM_WINDOW && active->format == 32 &&
        active->bytes.size() >= sizeof(xcb_window_t)) {
        xcb_window_t window = XCB_NONE;
        active->bytes.copy(reinterpret_cast<char*>(&window), sizeof window);
        if (window != XCB_NONE) {
            m_fromActiveWindow = true;
            return window;
        }
    }
    if (!focus || focus->focus == XCB_NONE) {
        return XCB_NONE;
    }
    if (focus->focus != XCB_INPUT_FOCUS_POINTER_ROOT && focus->focus != m_x.root()) {
        return clientAbove(focus->focus);
    }
    // Keys go to whatever is under the pointer.
    const auto pointer =
        m_x.wait(xcb_query_pointer_reply, m_x.sent(xcb_query_pointer(c, m_x.root())));
    if (!pointer || pointer->child == XCB_NONE) {
        return XCB_NONE;
    }
    return clientBelow(pointer->child);
}

xcb_window_t XcbForeground::clientAbove(xcb_window_t window)
{
    for (int level = 0; level < deepestNesting; ++level) {
        const auto stateCookie = m_x.requestProperty(window, m_wmState);
        const auto treeCookie = m_x.sent(xcb_query_tree(m_x.get(), window));
        const auto state = m_x.receiveProperty(stateCookie, window, m_wmState);
        const auto tree = m_x.wait(xcb_query_tree_reply, treeCookie);
        if (!state || !tree) {
            return XCB_NONE;
        }
        if (state->present) {
            return window;
        }
        if (tree->parent == XCB_NONE || tree->parent == tree->root) {
            // A top-level window without WM_STATE: a frame whose client is inside it.
            return clientBelow(window);
        }
        window = tree->parent;
    }
    return XCB_NONE;
}

xcb_window_t XcbForeground::clientBelow(xcb_window_t window)
{
    // Breadth first, one round trip per level: the WM_STATE of every window on the level and
    // the children that make up the next one.
    std::vector<xcb_window_t> level{window};
    for (int depth = 0; depth < deepestSearch && !level.empty(); ++depth) {
        std::vector<xcb_get_property_cookie_t> stateCookies;
        std::vector<xcb_query_tree_cookie_t> treeCookies;
        for (const xcb_window_t candidate : level) {
            stateCookies.push_back(m_x.requestProperty(candidate, m_wmState));
            treeCookies.push_back(m_x.sent(xcb_query_tree(m_x.get(), candidate)));
        }
        xcb_window_t found = XCB_NONE;
        std::vector<xcb_window_t> next;
        for (std::size_t i = 0; i < level.size(); ++i) {
            const auto state = m_x.receiveProperty(stateCookies[i], level[i], m_wmState);
            const auto tree = m_x.wait(xcb_query_tree_reply, treeCookies[i]);
            if (found == XCB_NONE && state && state->present) {
                found = level[i];
            }
            if (tree) {
                const xcb_window_t* children = xcb_query_tree_children(tree.get());
                next.insert(next.end(), children,
                            children + xcb_query_tree_children_length(tree.get()));
            }
        }
        if (found != XCB_NONE) {
            return found;
        }
        level = std::move(next);
    }
    return XCB_NONE;
}

} // namespace horaloom
