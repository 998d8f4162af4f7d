// The main window as its presenter sees it, kept as plain state: tests read what a user would
// see, not the calls that made it.
#pragma once

#include "mainview.h"

#include <map>
#include <variant>

namespace horaloom::fakes {

using Focus = std::variant<std::monostate, Button, int>; // a button or a digit box's index

struct FakeMainView : MainView {
    struct Control {
        bool enabled = true, visible = true;
        int left = 1380; // only Count Down ever moves
        std::string text;
    };
    std::map<Button, Control> buttons;
    std::map<int, Control> digits; // by index, 0 the seconds units
    Focus focus;
    std::string clockText;
    Rgb background = 0;
    std::map<Entry, bool> checked, entryEnabled{{Entry::Repeat, true}};
    int timer1 = -1; // the delay Timer1 was last started with; -1 while stopped
    std::map<AlarmTimer, bool> alarmTimers;
    TwipsPoint corner{1890, 3030};
    bool shown = false, minimised = false, closedAll = false;

    // The buttons a user can see and press, in their order.
    std::string on()
    {
        std::string list;
        for (int b = 0; const char* name :
                        {"CountUp", "CountDown", "Start", "Stop", "Reset", "Hide", "Quit"}) {
            const Control& c = buttons[static_cast<Button>(b++)];
            list += c.enabled && c.visible ? std::string(list.empty() ? "" : " ") + name : "";
        }
        return list;
    }
    // The time the six boxes show, as HH:MM:SS.
    std::string time() const
    {
        const auto d = [this](int i) { return digits.at(i).text; };
        return d(5) + d(4) + ":" + d(3) + d(2) + ":" + d(1) + d(0);
    }

    void setButtonEnabled(Button b, bool enabled) override { buttons[b].enabled = enabled; }
    void setButtonVisible(Button b, bool visible) override { buttons[b].visible = visible; }
    void setButtonLeft(Button b, int twips) override { buttons[b].left = twips; }
    void focusButton(Button b) override { focus = b; }
    void setDigitText(int i, const std::string& text) override { digits[i].text = text; }
    void setDigitEnabled(int i, bool on) override { digits[i].enabled = on; }
    void focusDigit(int index) override { focus = index; }
    void setDigitModified(int, bool) override {} // Stop clears it; nothing reads it
    void setClockText(const std::string& text) override { clockText = text; }
    void setBackground(Rgb colour) override { background = colour; }
    void setCaption(const std::string&) override {} // always "Horaloom"
    void setEntryChecked(Entry entry, bool on) override { checked[entry] = on; }
    void setEntryEnabled(Entry entry, bool on) override { entryEnabled[entry] = on; }
    void startTimer1(int milliseconds) override { timer1 = milliseconds; }
    void stopTimer1() override { timer1 = -1; }
    void setAlarmTimer(AlarmTimer timer, bool running) override { alarmTimers[timer] = running; }
    TwipsRect screen() override { return {0, 0, 19200, 12000}; }
    TwipsSize frameSize() override { return {2715, 3180}; }
    TwipsPoint position() override { return corner; }
    void moveTo(TwipsPoint to) override { corner = to; }
    bool isShown() override { return shown && !minimised; }
    void showWindow() override { shown = true; }
    void hideWindow() override { shown = false; }
    void minimiseWindow() override { minimised = true; }
    void restoreWindow() override
    {
        shown = true;
        minimised = false;
    }
    void openAbout() override {} // opened through the menus in tests/desktop
    void openHelp() override {}
    void openSelectAlarm() override {}
    void closeAllWindows() override
    {
        closedAll = true;
        shown = false;
    }
};

} // namespace horaloom::fakes
