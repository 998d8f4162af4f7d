// The tray icon on QSystemTrayIcon, with the finished-countdown notification.
#pragma once

#include "traycomponent.h"

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

namespace horaloom {

class QtTray : public QObject, public TrayComponent {
    Q_OBJECT
public:
    QtTray(const QIcon& icon, const QString& toolTip);

    bool startup() override;
    bool query() override;
    void action() override;
    void notify(const std::string& title, const std::string& message) override;
    void setMouseReleaseHandler(std::function<void(int button)> handler) override;
    bool available() override;

private:
    QSystemTrayIcon m_icon;
    std::function<void(int)> m_handler;
    bool m_notificationShown = false;
};

} // namespace horaloom
