#include "displayinstance.h"

#include "qtsingleinstance.h"

#include <QGuiApplication>

#if defined(HORALOOM_HAVE_X11)
#include "xcbdisplayclaim.h"

#include <QSocketNotifier>
#endif

namespace horaloom {

#if defined(HORALOOM_HAVE_X11)
namespace {

// Why the X message and not a local socket under XDG_RUNTIME_DIR: the copy a start is refused
// for is the display's, and it may run with another runtime directory or none (ssh -X, su,
// env -i); the claim window reaches it whatever its environment. Any X client may send the
// message too, and all it can do is show Horaloom's window.
class DisplayInstance : public SingleInstance {
public:
    bool anotherIsRunning() override
    {
        switch (m_claim.claim()) {
        case XcbDisplayClaim::Outcome::Claimed:
            watchRequests();
            return false;
        case XcbDisplayClaim::Outcome::HeldByAnother:
            return true;
        case XcbDisplayClaim::Outcome::NoDisplay:
            break;
        }
        m_lock = std::make_unique<QtSingleInstance>();
        return m_lock->anotherIsRunning();
    }

    void askOtherToComeForward() override { m_claim.askOwnerToComeForward(); }

    void setComeForwardHandler(std::function<void()> handler) override
    {
        m_handler = std::move(handler);
    }

private:
    // The claim's connection is ours alone: nothing reads it unless Qt's loop wakes us.
    void watchRequests()
    {
        m_requests =
            std::make_unique<QSocketNotifier>(m_claim.fileDescriptor(), QSocketNotifier::Read);
        QObject::connect(m_requests.get(), &QSocketNotifier::activated, m_requests.get(),
                         [this] { readRequests(); });
        readRequests(); // one may have come while the claim was made
    }

    void readRequests()
    {
        const bool asked = m_claim.takeComeForwardRequests();
        if (!m_claim.connected()) {
            // A closed connection stays readable: without this the loop would spin.
            m_requests->setEnabled(false);
        }
        if (asked && m_handler) {
            m_handler();
        }
    }

    XcbDisplayClaim m_claim;
    std::unique_ptr<QtSingleInstance> m_lock;
    std::unique_ptr<QSocketNotifier> m_requests;
    std::function<void()> m_handler;
};

} // namespace
#endif

std::unique_ptr<SingleInstance> makeSingleInstance()
{
#if defined(HORALOOM_HAVE_X11)
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        return std::make_unique<DisplayInstance>();
    }
#endif
    return std::make_unique<QtSingleInstance>();
}

} // namespace horaloom
