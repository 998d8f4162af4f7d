// The main window as the presenter sees it, kept as plain state: which buttons are on show,
// what the boxes hold, where the focus is, the window's place. Tests read the state a user
// would see, not the calls that made it.
#pragma once

#include "mainview.h"
#include "selectalarmview.h"

#include <array>
#include <map>
#include <string>
#include <variant>

namespace horaloom::fakes {

using Focus = std::variant<std::monostate, Button, int>;

struct FakeButton {
    bool enabled = true;
    bool visible = true;
    int left = 0;
};

struct FakeDigitBox {
    std::string text;
    bool enabled = false;
    bool modified = true;
};

class FakeMainView : public MainView {
public:
    std::map<Button, FakeButton> buttons;
    std::array<FakeDigitBox, 6> digits{};
    Focus focus; // a button or a digit box's index
    std::string clockText;
    Rgb background = 0;
    std::string caption = "Horaloom";
    std::map<Entry, bool> checked;
    std::map<Entry, bool> entryEnabled{
        {Entry::Position, true}, {Entry::Repeat, true}, {Entry::DisplayClock, true}};
    int timer1 = -1; // the delay Timer1 was last started with; -1 while stopped
    std::map<AlarmTimer, bool> alarmTimers{{AlarmTimer::Timer2, false},
                                           {AlarmTimer::Timer3, false}};
    TwipsRect screenArea{0, 0, 19200, 12000};
    TwipsSize frame{2715, 3180};
    TwipsPoint corner{1890, 3030};
    bool shown = false;
    bool minimised = false;
    int restores = 0;
    std::string opened; // the last secondary window opened
    bool closedAll = false;

    FakeMainView()
    {
        for (Button b : {Button::CountUp, Button::CountDown, Button::Start, Button::Stop,
                         Button::Reset, Button::Hide, Button::Quit}) {
            buttons[b] = {};
        }
        buttons[Button::CountDown].left = 1380;
    }

    // Visible and usable, as a user sees a button; or neither.
    bool isOn(Button b) { return buttons[b].enabled && buttons[b].visible; }
    bool isOff(Button b) { return !buttons[b].enabled && !buttons[b].visible; }
    // The time the six boxes show, as HH:MM:SS.
    std::string time() const
    {
        return digits[5].text + digits[4].text + ":" + digits[3].text + digits[2].text + ":" +
               digits[1].text + digits[0].text;
    }

    void setButtonEnabled(Button b, bool enabled) override { buttons[b].enabled = enabled; }
    void setButtonVisible(Button b, bool visible) override { buttons[b].visible = visible; }
    void setButtonLeft(Button b, int twips) override { buttons[b].left = twips; }
    void focusButton(Button b) override { focus = b; }
    void setDigitText(int index, const std::string& text) override { box(index).text = text; }
    void setDigitEnabled(int index, bool enabled) override { box(index).enabled = enabled; }
    void focusDigit(int index) override { focus = index; }
    void setDigitModified(int index, bool modified) override { box(index).modified = modified; }
    void setClockText(const std::string& text) override { clockText = text; }
    void setBackground(Rgb colour) override { background = colour; }
    void setCaption(const std::string& text) override { caption = text; }
    void setEntryChecked(Entry entry, bool on) override { checked[entry] = on; }
    void setEntryEnabled(Entry entry, bool on) override { entryEnabled[entry] = on; }
    void startTimer1(int milliseconds) override { timer1 = milliseconds; }
    void stopTimer1() override { timer1 = -1; }
    void setAlarmTimer(AlarmTimer timer, bool running) override { alarmTimers[timer] = running; }
    TwipsRect screen() override { return screenArea; }
    TwipsSize frameSize() override { return frame; }
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
        ++restores;
    }
    void openAbout() override { opened = "About"; }
    void openHelp() override { opened = "Help"; }
    void openSelectAlarm() override { opened = "Select Alarm"; }
    void closeAllWindows() override
    {
        closedAll = true;
        shown = false;
    }

private:
    FakeDigitBox& box(int index) { return digits.at(static_cast<std::size_t>(index)); }
};

// The Select Alarm dialog as plain state; it opens with the wave file chosen, as designed.
class FakeSelectAlarmView : public SelectAlarmView {
public:
    std::string waveFileText;
    AlarmOption option = AlarmOption::Wave;
    bool waveControlsEnabled = true;
    bool hidden = false;

    void setWaveFileText(const std::string& path) override { waveFileText = path; }
    void selectOption(AlarmOption o) override { option = o; }
    bool optionSelected(AlarmOption o) override { return option == o; }
    void setWaveControlsEnabled(bool enabled) override { waveControlsEnabled = enabled; }
    void hideDialog() override { hidden = true; }
};

} // namespace horaloom::fakes
