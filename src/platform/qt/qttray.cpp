#include "qttray.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <cstdio>

namespace horaloom {

QtTray::QtTray(const QIcon& icon, const QString& toolTip)
{
    m_icon.setIcon(icon);
    m_icon.setToolTip(toolTip);
    // Where the icon's own widget cannot be watched (a StatusNotifier host), activations stand
    // in for releases.
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (!m_handler || m_seesReleases) {
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
    watchReleases();
    return true;
}

void QtTray::watchReleases()
{
    // On an XEmbed tray Qt draws the icon in a widget of its own and reports presses; the
    // release of any button over it is what brings the window back.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qstrcmp(widget->metaObject()->className(), "QSystemTrayIconSys") == 0) {
            widget->installEventFilter(this);
            m_seesReleases = true;
        }
    }
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

bool QtTray::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && m_handler) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (static_cast<QWidget*>(watched)->rect().contains(release->position().toPoint())) {
            m_handler(release->button());
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace horaloom
