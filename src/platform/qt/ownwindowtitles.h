// Window titles with Horaloom's own windows routed through Qt. Qt caches a window's title and
// skips a setWindowTitle that matches its cache, so an own title written behind its back would
// stick; here Qt always knows. Other programs' windows go to the desktop backend, if any.
#pragma once

#include "windowtitles.h"

#include <QObject>
#include <QSocketNotifier>
#include <memory>

class QWidget;

namespace horaloom {

class OwnWindowTitles : public WindowTitles {
public:
    // others may be null: then only Horaloom's own windows are seen (a Wayland session).
    explicit OwnWindowTitles(WindowTitles* others) : m_others(others) {}

    WindowId foregroundWindow() override;
    std::string readTitle(WindowId window) override;
    void writeTitle(WindowId window, std::string_view title) override;
    void restoreTitle(WindowId window, std::string_view ownTitle) override;
    void recoverAbandonedTitles() override;
    // The other windows' backend reports through its descriptor, read from Qt's event loop;
    // without one, Qt says when one of Horaloom's own windows takes or loses the focus.
    void setChangeHandler(std::function<void()> handler) override;

private:
    static QWidget* ownWindow(WindowId window);

    WindowTitles* m_others;
    QObject m_context; // the connections below end with this object
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace horaloom
