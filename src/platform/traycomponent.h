// The tray icon: a start-up operation, a query and an action, and a mouse-release event.
#pragma once

#include <functional>
#include <string>

namespace horaloom {

class TrayComponent {
public:
    virtual ~TrayComponent() = default;

    // Puts the icon into the tray. Returns false when it could not be set up at all.
    virtual bool startup() = 0;
    // True while a finished-countdown notification is on show.
    virtual bool query() = 0;
    // Withdraws that notification.
    virtual void action() = 0;
    // Shows the finished-countdown notification.
    virtual void notify(const std::string& title, const std::string& message) = 0;
    // Called whenever a mouse button is released over the icon (1 left, 2 right, 4 middle), or
    // the tray host's nearest equivalent (a press, an activation by keyboard).
    virtual void setMouseReleaseHandler(std::function<void(int button)> handler) = 0;
    // Whether a tray host is there to show the icon (hiding the window needs a way back). Asked
    // once a second while the window is hidden: cheap, and true again once a host comes back.
    virtual bool available() = 0;
};

} // namespace horaloom
