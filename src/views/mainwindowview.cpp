// Form1, continued: what the presenter asks of the window, done with the window's widgets.
#include "aboutwindow.h"
#include "digitbox.h"
#include "helpwindow.h"
#include "mainwindow.h"
#include "selectalarmdialog.h"
#include "twips.h"
#include "windowsetup.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace horaloom {

QPushButton* Form1::button(Button which) const
{
    switch (which) {
    case Button::CountUp:
        return cmdCountUp;
    case Button::CountDown:
        return cmdCountDown;
    case Button::Start:
        return cmdStart;
    case Button::Stop:
        return cmdStop;
    case Button::Reset:
        return cmdReset;
    case Button::Hide:
        return cmdHide;
    case Button::Quit:
        break;
    }
    return cmdQuit;
}

QAction* Form1::entry(Entry which) const
{
    switch (which) {
    case Entry::Position:
        return mnuPosition;
    case Entry::Repeat:
        return mnuRepeat;
    case Entry::DisplayClock:
        break;
    }
    return mnuDisplayClock;
}

DigitBox* Form1::digitBox(int index) const
{
    const std::array<DigitBox*, 6> boxes = {txtSeconds1, txtSeconds2, txtMinutes1,
                                            txtMinutes2, txtHours1,   txtHours2};
    return boxes.at(static_cast<std::size_t>(index));
}

void Form1::setButtonEnabled(Button which, bool enabled)
{
    button(which)->setEnabled(enabled);
}

void Form1::setButtonVisible(Button which, bool visible)
{
    button(which)->setVisible(visible);
}

void Form1::setButtonLeft(Button which, int twips)
{
    QPushButton* b = button(which);
    b->move(twipsToPixels(twips), b->y());
}

void Form1::focusButton(Button which)
{
    button(which)->setFocus();
}

void Form1::setDigitText(int index, const std::string& text)
{
    digitBox(index)->showDigit(QString::fromStdString(text));
}

void Form1::setDigitEnabled(int index, bool enabled)
{
    digitBox(index)->setEnabled(enabled);
}

void Form1::focusDigit(int index)
{
    digitBox(index)->setFocus(Qt::TabFocusReason);
}

void Form1::setDigitModified(int index, bool modified)
{
    digitBox(index)->setModified(modified);
}

void Form1::setClockText(const std::string& text)
{
    const QString shown = QString::fromStdString(text);
    if (txtTime->text() != shown) {
        txtTime->setText(shown);
    }
}

void Form1::setBackground(Rgb colour)
{
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    m_client->setPalette(palette);
}

void Form1::setCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

void Form1::setEntryChecked(Entry which, bool checked)
{
    entry(which)->setChecked(checked);
}

void Form1::setEntryEnabled(Entry which, bool enabled)
{
    entry(which)->setEnabled(enabled);
}

void Form1::startTimer1(int milliseconds)
{
    Timer1->start(milliseconds);
}

void Form1::stopTimer1()
{
    Timer1->stop();
}

void Form1::setAlarmTimer(AlarmTimer timer, bool running)
{
    QTimer* alarm = timer == AlarmTimer::Timer2 ? Timer2 : Timer3;
    if (!running) {
        alarm->stop();
    } else if (!alarm->isActive()) {
        // Enabling a running timer leaves its rhythm alone.
        alarm->start();
    }
}

TwipsRect Form1::screen()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect area = primary ? primary->geometry() : QRect(0, 0, 800, 600);
    return {pixelsToTwips(area.left()), pixelsToTwips(area.top()), pixelsToTwips(area.width()),
            pixelsToTwips(area.height())};
}

QMargins Form1::frameMargins()
{
    // Once the window is on the screen Qt knows its frame; before, the window manager is asked.
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    if (isVisible() && frame != client) {
        return {client.left() - frame.left(), client.top() - frame.top(),
                frame.right() - client.right(), frame.bottom() - client.bottom()};
    }
    if (!m_probedFrame) {
        m_probedFrame = m_frameProbe ? m_frameProbe(winId()) : QMargins();
    }
    return *m_probedFrame;
}

TwipsSize Form1::frameSize()
{
    ensurePolished();
    adjustSize();
    const QSize frame = size().grownBy(frameMargins());
    return {pixelsToTwips(frame.width()), pixelsToTwips(frame.height())};
}

TwipsPoint Form1::position()
{
    const QMargins margins = frameMargins();
    return {pixelsToTwips(geometry().left() - margins.left()),
            pixelsToTwips(geometry().top() - margins.top())};
}

void Form1::moveTo(TwipsPoint corner)
{
    // The client goes where the frame's corner is meant to be, plus the frame.
    const QMargins margins = frameMargins();
    const QPoint client(twipsToPixels(corner.left) + margins.left(),
                        twipsToPixels(corner.top) + margins.top());
    setGeometry(QRect(client, size()));
}

bool Form1::isShown()
{
    return isVisible();
}

void Form1::showWindow()
{
    show();
}

void Form1::hideWindow()
{
    hide();
}

void Form1::minimiseWindow()
{
    showMinimized();
}

void Form1::restoreWindow()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    bringToFront(*this);
    update();
}

void Form1::openAbout()
{
    if (!m_form2) {
        m_form2 = new Form2();
    }
    m_form2->open();
}

void Form1::openHelp()
{
    if (!m_frmHelp) {
        m_frmHelp = new frmHelp();
    }
    m_frmHelp->open();
}

void Form1::openSelectAlarm()
{
    if (!m_form4) {
        m_form4 =
            new Form4(m_presenter.AlarmType, m_presenter.WaveFile, m_platform, [this] { show(); });
    }
    m_form4->open();
}

void Form1::closeAllWindows()
{
    for (QWidget* window :
         {static_cast<QWidget*>(m_form4.data()), static_cast<QWidget*>(m_form2.data()),
          static_cast<QWidget*>(m_frmHelp.data())}) {
        if (window) {
            window->hide();
        }
    }
    hide();
}

} // namespace horaloom
