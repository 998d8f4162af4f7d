#include "ownwindowtitles.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace horaloom {

QWidget* OwnWindowTitles::ownWindow(WindowId window)
{
    if (window == 0) {
        return nullptr;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isWindow() && widget->testAttribute(Qt::WA_WState_Created) &&
            static_cast<WindowId>(widget->winId()) == window) {
            return widget;
        }
    }
    return nullptr;
}

WindowId OwnWindowTitles::foregroundWindow()
{
    if (m_others) {
        return m_others->foregroundWindow();
    }
    QWidget* active = QApplication::activeWindow();
    return active ? static_cast<WindowId>(active->winId()) : 0;
}

std::string OwnWindowTitles::readTitle(WindowId window)
{
    if (QWidget* own = ownWindow(window)) {
        return own->windowTitle().toStdString();
    }
    return m_others ? m_others->readTitle(window) : std::string();
}

void OwnWindowTitles::writeTitle(WindowId window, std::string_view title)
{
    if (QWidget* own = ownWindow(window)) {
        own->setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    } else if (m_others) {
        m_others->writeTitle(window, title);
    }
}

void OwnWindowTitles::restoreTitle(WindowId window, std::string_view ownTitle)
{
    if (ownWindow(window)) {
        writeTitle(window, ownTitle);
    } else if (m_others) {
        m_others->restoreTitle(window, ownTitle);
    }
}

void OwnWindowTitles::setChangeHandler(std::function<void()> handler)
{
    if (!m_others) {
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &m_context,
                         [handler] { handler(); });
        return;
    }
    m_others->setChangeHandler(std::move(handler));
    const int descriptor = m_others->eventDescriptor();
    if (descriptor < 0) {
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, &m_context,
                     [this] { m_others->readEvents(); });
    // Events that came in with a reply are already read from the descriptor, which then stays
    // quiet: they are taken before the event loop goes to sleep.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &m_context, [this] {
                         if (m_others->eventsQueued()) {
                             m_others->readEvents();
                         }
                     });
}

void OwnWindowTitles::recoverAbandonedTitles()
{
    if (m_others) {
        m_others->recoverAbandonedTitles();
    }
}

} // namespace horaloom
