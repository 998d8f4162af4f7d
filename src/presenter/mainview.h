// What the main window's presenter asks of the window that shows it. The view draws and
// forwards: it holds no state of the timer, and decides nothing.
#pragma once

#include "palette.h"

#include <string>

namespace horaloom {

// The buttons, by their role on the main window.
enum class Button { CountUp, CountDown, Start, Stop, Reset, Hide, Quit };

// The Settings entries that carry a check mark or can be made unavailable.
enum class Entry { Position, Repeat, DisplayClock };

// The alarm's two 500 ms timers: Timer2 flashes with a beep, Timer3 flashes silently.
enum class AlarmTimer { Timer2, Timer3 };

struct TwipsPoint {
    double left = 0;
    double top = 0;
};

struct TwipsSize {
    double width = 0;
    double height = 0;
};

struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

class MainView {
public:
    virtual ~MainView() = default;

    // Controls. Digit boxes go by digit index: 0 seconds units .. 5 hours tens.
    virtual void setButtonEnabled(Button button, bool enabled) = 0;
    virtual void setButtonVisible(Button button, bool visible) = 0;
    virtual void setButtonLeft(Button button, int twips) = 0;
    virtual void focusButton(Button button) = 0;
    virtual void setDigitText(int index, const std::string& text) = 0;
    virtual void setDigitEnabled(int index, bool enabled) = 0;
    virtual void focusDigit(int index) = 0;
    // The box's "modified" flag, which Stop clears; nothing else reads it.
    virtual void setDigitModified(int index, bool modified) = 0;
    virtual void setClockText(const std::string& text) = 0;
    virtual void setBackground(Rgb colour) = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setEntryChecked(Entry entry, bool checked) = 0;
    virtual void setEntryEnabled(Entry entry, bool enabled) = 0;

    // Timers. Timer1 fires once after the given delay; each tick aims the next.
    virtual void startTimer1(int milliseconds) = 0;
    virtual void stopTimer1() = 0;
    virtual void setAlarmTimer(AlarmTimer timer, bool running) = 0;

    // The window, with its frame: position is the outer frame's top-left corner.
    virtual TwipsRect screen() = 0; // the screen the window opens on
    virtual TwipsSize frameSize() = 0;
    virtual TwipsPoint position() = 0;
    virtual void moveTo(TwipsPoint corner) = 0;
    virtual bool isShown() = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    virtual void minimiseWindow() = 0;
    // Back on the screen from hidden or minimised, at its place, in front and repainted.
    virtual void restoreWindow() = 0;

    // The secondary windows: each opens (created at its first opening) and comes to the front.
    virtual void openAbout() = 0;
    virtual void openHelp() = 0;
    virtual void openSelectAlarm() = 0;
    // The end of the program: every window off the screen, no further event handled.
    virtual void closeAllWindows() = 0;
};

} // namespace horaloom
