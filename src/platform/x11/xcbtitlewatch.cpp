// XcbWindowTitles, continued: noticing at once when the foreground moves on or the decorated
// window is retitled, instead of at the next tick.
#include "xcbwindowtitles.h"

namespace horaloom {

namespace {
constexpr std::uint32_t WatchedEvents =
    XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_FOCUS_CHANGE;
} // namespace

XcbWindowTitles::Quiet::Quiet(XcbWindowTitles& titles, xcb_window_t window)
    : m_titles(titles), m_watched(window != XCB_NONE && window == titles.m_watched)
{
    if (m_watched) {
        m_titles.selectEvents(window, 0);
    }
}

XcbWindowTitles::Quiet::~Quiet()
{
    // Requests are carried out in order: what was written in between has reported nothing.
    if (m_watched && m_titles.m_watched != XCB_NONE) {
        m_titles.selectEvents(m_titles.m_watched, WatchedEvents);
        m_titles.m_x.flush();
    }
}

void XcbWindowTitles::selectEvents(xcb_window_t window, std::uint32_t mask)
{
    xcb_change_window_attributes(m_x.get(), window, XCB_CW_EVENT_MASK, &mask);
}

void XcbWindowTitles::setChangeHandler(std::function<void()> handler)
{
    m_changed = std::move(handler);
    if (m_changed && !m_watchingRoot && m_x.connected()) {
        selectEvents(m_x.root(), XCB_EVENT_MASK_PROPERTY_CHANGE);
        m_x.flush();
        m_watchingRoot = true;
    }
}

void XcbWindowTitles::watch(xcb_window_t window)
{
    if (!m_changed || window == m_watched) {
        return;
    }
    if (m_watched != XCB_NONE) {
        selectEvents(m_watched, 0); // an error if it has gone, and dropped as such
    }
    selectEvents(window, WatchedEvents);
    m_watched = window;
    m_watchedClean = false;
}

int XcbWindowTitles::eventDescriptor()
{
    return m_x.connected() ? xcb_get_file_descriptor(m_x.get()) : -1;
}

bool XcbWindowTitles::absorbEvents()
{
    bool changed = false;
    for (const auto& event : m_x.takeEvents()) {
        switch (event->response_type & 0x7F) {
        case XCB_PROPERTY_NOTIFY: {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if (notify->window == m_x.root() && notify->atom == m_atoms.netActiveWindow) {
                m_activeKnown = false;
                changed = true;
            } else if (notify->window == m_watched &&
                       (notify->atom == XCB_ATOM_WM_NAME || notify->atom == m_atoms.netWmName)) {
                m_watchedClean = false;
                changed = true;
            }
            break;
        }
        case XCB_FOCUS_OUT:
            if (reinterpret_cast<const xcb_focus_out_event_t*>(event.get())->event == m_watched) {
                m_activeKnown = false;
                changed = true;
            }
            break;
        default:
            break;
        }
    }
    m_changeSeen |= changed;
    return changed;
}

bool XcbWindowTitles::eventsQueued()
{
    return m_changeSeen || m_x.eventsQueued();
}

void XcbWindowTitles::readEvents()
{
    if (!m_x.connected()) {
        return;
    }
    absorbEvents();
    if (m_changeSeen) {
        m_changeSeen = false;
        dropPrefetch();
        if (m_changed) {
            m_changed();
        }
    }
}

} // namespace horaloom
