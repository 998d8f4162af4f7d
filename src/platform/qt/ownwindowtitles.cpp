#include "ownwindowtitles.h"

#include <QApplication>
#include <QWidget>

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

void OwnWindowTitles::recoverAbandonedTitles()
{
    if (m_others) {
        m_others->recoverAbandonedTitles();
    }
}

} // namespace horaloom
