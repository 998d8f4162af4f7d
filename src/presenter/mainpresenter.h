// The main window's behaviour: the timer's state, the tick, the commands, the alarm, the digit
// boxes' rules, the Settings toggles, start-up and the exit. It knows no widgets and no
// toolkit: it drives a MainView and the platform's services, so every behaviour here is
// tested with a recording view, and any front-end can show it.
#pragma once

#include "mainview.h"
#include "palette.h"
#include "platform.h"
#include "tickcases.h"
#include "timedigits.h"
#include "titlebarwriter.h"

#include <array>
#include <cstdint>
#include <string>

namespace horaloom {

class MainPresenter {
public:
    MainPresenter(Platform& platform, MainView& view);

    MainPresenter(const MainPresenter&) = delete;
    MainPresenter& operator=(const MainPresenter&) = delete;

    // The whole start-up. Returns false when the program must end (a second copy, or no
    // readable settings file); the user has been told why.
    bool Form_Load();

    // --- The timer's state ---
    Digits TimeDigits{};
    Digits RepeatDigits{};
    std::int16_t CountMode = 3;    // CountingUp, CountingDown, NoMode
    std::int16_t TimerRunning = 0; // TimerOn from Start Timer until the count stops
    std::int16_t RepeatCountdown = 0;
    std::int16_t SavePosition = 0;
    std::int16_t SavedLeft = 0;
    std::int16_t SavedTop = 0;
    std::string TimeText;
    std::int16_t AlarmType = 0; // BeepAlarm, WaveAlarm
    std::string WaveFile;       // a path as the system takes it
    std::string DisplayClock = "0";
    std::string StartDir;

    // --- Routines ---
    bool Initialize();
    void ResetProgram();
    void CountUp();
    void CountDown();
    void TitleBar();
    void Quit();
    void ShowSetupScreen();
    void HideSetupScreen();
    // The end by a signal or by the end of the desktop session: the decorated window gets its
    // own title back, nothing decorates again, and the program ends with 0, unasked.
    void endWithoutAsking();

    // --- Handlers, as the view forwards them ---
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void cmdCountUp_Click();
    void cmdCountDown_Click();
    void cmdStart_Click();
    void cmdStop_Click();
    void cmdReset_Click();
    void cmdHide_Click();
    void cmdQuit_Click();
    void mnuExit_Click();
    void mnuPosition_Click();
    void mnuRepeat_Click();
    void mnuDisplayClock_Click();
    void mnuWav_Click();
    void mnuProgram_Click();
    void mnuabout_Click();
    void STI1_MouseRel(int Button);

    // A digit box: a typed character (KeyPress), and its content when it loses the focus.
    void digitKeyPress(int index, char32_t character);
    void digitLostFocus(int index, const std::string& text);

    // The foreground window or the decorated window's title may have changed between ticks.
    void titlesChanged();

    // The window's close button. True when the window may close (the program is ending);
    // otherwise the exit question is asked, as File, Exit asks it.
    bool closeRequested();

    // What the view shows: the clock box's text and the Settings check marks.
    const std::string& clockText() const { return m_clockText; }
    bool entryChecked(Entry entry) const;

private:
    void failStartup(const std::string& reason);
    void placeWindow();
    void showButton(Button button);
    void hideButton(Button button);
    void writeDigit(std::size_t index, std::int16_t value);
    void showDigits();
    void setDigitsEnabled(bool enabled);
    void setChecked(Entry entry, bool checked);
    bool toggle(Entry entry);
    void refreshTime();
    void aimTimer1();
    void runTickStep(TickStep step);
    void countdownEndWithoutRepeat();
    bool countdownEndWithRepeat();
    void flashRandomColour();
    void writeSettings();
    void endProgram(int exitCode);

    Platform& m_platform;
    MainView& m_view;
    TitleBarWriter m_titleWriter;
    AlarmRandom m_random;
    std::string m_clockText; // what txtTime shows: the last second the tick has seen
    std::array<bool, 3> m_checked{};
    bool m_ending = false;
    bool m_hiddenInTray = false; // hidden by Hide, with only the tray icon to bring it back
};

} // namespace horaloom
