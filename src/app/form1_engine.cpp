// The main window's timer: the tick, the count steps, the commands and the alarm.
#include "form1.h"

#include "digitbox.h"
#include "twips.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace horaloom {

void Form1::refreshTime()
{
    txtTime->setText(m_platform.clock.timeOfDay());
}

void Form1::phaseTick()
{
    // The 100 ms tick aims a few milliseconds past each tenth of a second, so that one tick
    // sees each new wall-clock second within a few milliseconds of its start. Timers drift and
    // wake late; every tick aims the next one again.
    constexpr int aim = 3;
    const int error = (m_platform.clock.millisecondsIntoSecond() % 100 - aim + 100) % 100;
    int next = 100 - error;
    if (next < 20) {
        next += 100; // never two ticks in a row
    }
    if (next != Timer1->interval() || !Timer1->isActive()) {
        Timer1->start(next);
    }
}

void Form1::Timer1_Timer()
{
    // The six cases in order; each test is made afresh when it is reached. The state is tested
    // first: it is cheap, and the time of day is then read only for the case that can run.
    for (const TickCase& tickCase : tickCases()) {
        if (TimerRunning != tickCase.running || CountMode != tickCase.mode ||
            m_platform.clock.timeOfDay() == txtTime->text()) {
            continue;
        }
        for (TickStep step : tickCase.steps) {
            runTickStep(step);
        }
    }
    phaseTick();
}

void Form1::runTickStep(TickStep step)
{
    switch (step) {
    case TickStep::RefreshTime:
        refreshTime();
        break;
    case TickStep::CountUp:
        CountUp();
        break;
    case TickStep::CountDown:
        CountDown();
        break;
    case TickStep::TitleBar:
        TitleBar();
        break;
    case TickStep::RepeatAvailable:
        mnuRepeat->setEnabled(true);
        break;
    case TickStep::RepeatUnavailable:
        mnuRepeat->setEnabled(false);
        break;
    }
}

void Form1::showDigits()
{
    const auto boxes = digitBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->showDigit(TimeDigits[i]);
    }
}

void Form1::CountUp()
{
    const bool limit = stepUp(TimeDigits);
    showDigits();
    if (limit) {
        m_platform.sound.beep();
        CountMode = 3;
        cmdStop->setVisible(false);
        cmdCountUp->setVisible(true);
        cmdCountUp->setEnabled(true);
        cmdCountDown->setVisible(true);
        cmdCountDown->setEnabled(true);
        m_platform.messageBoxes.show(QStringLiteral("Timer has expired at 100 hours"),
                                     QStringLiteral("Horaloom Shutdown"), MsgBox::Exclamation);
    }
    TimeText = timeText(TimeDigits);
}

void Form1::CountDown()
{
    const bool ended = stepDown(TimeDigits);
    showDigits();
    if (ended) {
        if (RepeatCountdown == 1) {
            if (!countdownEndWithRepeat()) {
                return;
            }
        } else {
            countdownEndWithoutRepeat();
        }
    }
    TimeText = timeText(TimeDigits);
}

void Form1::countdownEndWithoutRepeat()
{
    ShowSetupScreen();
    hideButton(cmdReset);
    TimerRunning = 0;
    if (AlarmType == 0) {
        Timer2->start();
    } else if (AlarmType == 1) {
        m_platform.sound.playWave(QFile::encodeName(WaveFile).toStdString());
        Timer3->start();
    }
    m_platform.tray.notify(QStringLiteral("Horaloom"),
                           QStringLiteral("The countdown has finished."));
}

bool Form1::countdownEndWithRepeat()
{
    TimeDigits = RepeatDigits;
    showDigits();
    if (allZero(RepeatDigits)) {
        // No starting time was stored: nothing to repeat.
        ResetProgram();
        return false;
    }
    if (AlarmType == 0) {
        flashRandomColour();
        m_platform.sound.beep();
    } else if (AlarmType == 1) {
        flashRandomColour();
        m_platform.sound.playWave(QFile::encodeName(WaveFile).toStdString());
    }
    return true;
}

void Form1::flashRandomColour()
{
    setBackground(PaletteColor(randomColourNumber(m_random.next())));
}

void Form1::Timer2_Timer()
{
    m_platform.sound.beep();
    Timer3_Timer();
}

void Form1::Timer3_Timer()
{
    flashRandomColour();
    CountMode = 3;
    cmdStop->setEnabled(true);
    cmdStop->setVisible(true);
}

void Form1::TitleBar()
{
    bool numeric = false;
    const int clock = DisplayClock.trimmed().toInt(&numeric);
    m_titleWriter.TitleBar(TimeText.toStdString(), txtTime->text().toStdString(),
                           numeric ? clock : -1);
}

void Form1::restoreDecoratedTitle()
{
    m_titleWriter.restoreLastWindow();
}

void Form1::ResetProgram()
{
    setWindowTitle(QStringLiteral("Horaloom"));
    setBackground(PaletteColor(0));
    hideButton(cmdStart);
    hideButton(cmdStop);
    showButton(cmdCountUp);
    showButton(cmdCountDown);
    // Hidden in the tray the focus cannot move; Qt keeps it for when the window comes back.
    cmdCountUp->setFocus();
    cmdCountDown->move(twipsToPixels(1380), cmdCountDown->y());
    const auto boxes = digitBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        TimeDigits[i] = 0;
        boxes[i]->showDigit(0);
    }
    for (DigitBox* box : boxes) {
        box->setEnabled(false);
    }
    CountMode = 3;
    Timer2->stop();
    Timer3->stop();
    RepeatDigits.fill(0);
}

void Form1::cmdCountUp_Click()
{
    CountMode = 1;
    TimerRunning = 0;
    showButton(cmdStart);
    hideButton(cmdStop);
    hideButton(cmdCountDown);
    showButton(cmdReset);
    cmdStart->setFocus();
}

void Form1::cmdCountDown_Click()
{
    CountMode = 2;
    cmdCountDown->move(twipsToPixels(120), cmdCountDown->y());
    TimerRunning = 0;
    showButton(cmdStart);
    hideButton(cmdStop);
    hideButton(cmdCountUp);
    for (DigitBox* box :
         {txtHours2, txtHours1, txtMinutes2, txtMinutes1, txtSeconds2, txtSeconds1}) {
        box->setEnabled(true);
    }
    txtHours2->setFocus();
}

void Form1::cmdStart_Click()
{
    TimerRunning = 1;
    hideButton(cmdCountUp);
    hideButton(cmdCountDown);
    hideButton(cmdStart);
    showButton(cmdStop);
    cmdStop->setFocus();
    for (DigitBox* box : digitBoxes()) {
        box->setEnabled(false);
    }
    if (RepeatCountdown == 1) {
        RepeatDigits = TimeDigits;
    }
}

void Form1::cmdStop_Click()
{
    TitleBar();
    setBackground(PaletteColor(0));
    TimerRunning = 0;
    CountMode = 3;
    showButton(cmdCountUp);
    showButton(cmdCountDown);
    hideButton(cmdStart);
    hideButton(cmdStop);
    showButton(cmdReset);
    cmdCountDown->move(twipsToPixels(1380), cmdCountDown->y());
    Timer2->stop();
    Timer3->stop();
    cmdReset->setFocus();
    for (DigitBox* box : digitBoxes()) {
        box->setModified(false);
    }
    if (m_platform.tray.query()) {
        m_platform.tray.action();
    }
}

void Form1::cmdReset_Click()
{
    TitleBar();
    ResetProgram();
}

} // namespace horaloom
