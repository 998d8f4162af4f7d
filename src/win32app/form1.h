// The main window, Form1: the controls and menus as designed, drawn as the presenter says.
// Clicks, keys and timer events go to the presenter; nothing is decided here.
#pragma once

#include "digitedit.h"
#include "mainpresenter.h"
#include "mainview.h"
#include "window.h"

#include <array>
#include <memory>

namespace horaloom {

class Form2;
class Form4;
class frmHelp;

class Form1 : public Window, private MainView {
public:
    static constexpr const wchar_t* ClassName = L"Horaloom.Form1";

    explicit Form1(Platform& platform);
    ~Form1() override;

    MainPresenter& presenter() { return m_presenter; }

private:
    // Control and menu ids; below 100 belong to IsDialogMessageW (IDOK, IDCANCEL).
    enum : int {
        idHours2 = 100,
        idHours1,
        idMinutes2,
        idMinutes1,
        idSeconds1,
        idSeconds2,
        idTime,
        idCountDown,
        idQuit,
        idReset,
        idStop,
        idStart,
        idCountUp,
        idHide,
        idColon1,
        idColon2,
        idCurrentTime,
        idSecondsLabel,
        idMinutesLabel,
        idHoursLabel,
        mnuExit = 200,
        mnuPosition,
        mnuRepeat,
        mnuDisplayClock,
        mnuWav,
        mnuProgram,
        mnuabout,
    };
    enum : UINT_PTR { idTimer1 = 1, idTimer2, idTimer3 };

    void createControls();
    void createMenus();
    HWND button(Button which) const;
    UINT entryId(Entry which) const;
    DigitEdit& digitBox(int index);

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(int id, int code, HWND control) override;
    HBRUSH staticColours(HWND control, HDC dc) override;

    // MainView
    void setButtonEnabled(Button button, bool enabled) override;
    void setButtonVisible(Button button, bool visible) override;
    void setButtonLeft(Button button, int twips) override;
    void focusButton(Button button) override;
    void setDigitText(int index, const std::string& text) override;
    void setDigitEnabled(int index, bool enabled) override;
    void focusDigit(int index) override;
    void setDigitModified(int index, bool modified) override;
    void setClockText(const std::string& text) override;
    void setBackground(Rgb colour) override;
    void setCaption(const std::string& caption) override;
    void setEntryChecked(Entry entry, bool checked) override;
    void setEntryEnabled(Entry entry, bool enabled) override;
    void startTimer1(int milliseconds) override;
    void stopTimer1() override;
    void setAlarmTimer(AlarmTimer timer, bool running) override;
    TwipsRect screen() override;
    TwipsSize frameSize() override;
    TwipsPoint position() override;
    void moveTo(TwipsPoint corner) override;
    bool isShown() override;
    void showWindow() override;
    void hideWindow() override;
    void minimiseWindow() override;
    void restoreWindow() override;
    void openAbout() override;
    void openHelp() override;
    void openSelectAlarm() override;
    void closeAllWindows() override;

    Platform& m_platform;
    MainPresenter m_presenter;
    HMENU m_menu = nullptr;
    HBRUSH m_white = nullptr;
    bool m_ending = false;
    std::array<bool, 2> m_alarmRunning{};

    // The controls, in the order the window holds them.
    DigitEdit txtHours2, txtHours1, txtMinutes2, txtMinutes1, txtSeconds1, txtSeconds2;
    HWND txtTime = nullptr;
    HWND cmdCountDown = nullptr;
    HWND cmdQuit = nullptr;
    HWND cmdReset = nullptr;
    HWND cmdStop = nullptr;
    HWND cmdStart = nullptr;
    HWND cmdCountUp = nullptr;
    HWND cmdHide = nullptr;
    std::array<HWND, 2> m_colons{};
    std::array<HWND, 4> m_labels{}; // white text on the window's colour

    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<frmHelp> m_frmHelp;
    std::unique_ptr<Form4> m_form4;
};

} // namespace horaloom
