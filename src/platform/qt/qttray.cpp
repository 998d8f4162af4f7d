#include "qttray.h"

#include <cstdio>

namespace horaloom {

QtTray::QtTray(const QIcon& icon, const QString& toolTip)
{
    m_icon.setIcon(icon);
    m_icon.setToolTip(toolTip);
    // The icon is the way back to a hidden window, so every button counts. On an XEmbed tray
    // (trayer, stalonetray) Qt reports the press of each button, left, right and middle, as an
    // activation, also for the icon it docks anew whenever a tray host comes back; a
    // StatusNotifier host reports clicks and its keyboard activation the same way. The press
    // stands for the release over the icon that the window has always answered: the window
    // comes back a moment sooner, and nobody presses on the icon for anything else.
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (!m_handler) {
                    return;
                }
                switch (reason) {
                case QSystemTrayIcon::Context:
                    m_handler(Qt::RightButton);
                    break;
                case QSystemTrayIcon::MiddleClick:
                    m_handler(Qt::MiddleButton);
                    break;
                default:
                    m_handler(Qt::LeftButton);
                    break;
                }
            });
    connect(&m_icon, &QSystemTrayIcon::messageClicked, this,
            [this] { m_notificationShown = false; });
}

bool QtTray::startup()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fprintf(stderr,
                     "horaloom: no system tray on this desktop; Hide minimises the window\n");
    }
    // Shown even without a tray host: the icon appears when one starts.
    m_icon.show();
    return true;
}

bool QtTray::query()
{
    return m_notificationShown;
}

void QtTray::action()
{
    // Withdraw the notification: a fresh, empty message replaces it and times out at once.
    m_icon.showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
    m_notificationShown = false;
}

void QtTray::notify(const std::string& title, const std::string& message)
{
    if (!QSystemTrayIcon::supportsMessages()) {
        return;
    }
    m_icon.showMessage(QString::fromStdString(title), QString::fromStdString(message),
                       m_icon.icon(), 0);
    m_notificationShown = true;
}

void QtTray::setMouseReleaseHandler(std::function<void(int button)> handler)
{
    m_handler = std::move(handler);
}

bool QtTray::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace horaloom
