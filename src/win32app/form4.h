// The Select Alarm dialog, Form4: beep or wave file, and which wave file.
#pragma once

#include "platform.h"
#include "selectalarmpresenter.h"
#include "selectalarmview.h"
#include "window.h"

#include <cstdint>
#include <functional>
#include <string>

namespace horaloom {

class Form4 : public Window, private SelectAlarmView {
public:
    static constexpr const wchar_t* ClassName = L"Horaloom.Form4";
    // alarmType and waveFile are the main window's settings; the dialog edits them in place.
    Form4(std::int16_t& alarmType, std::string& waveFile, Platform& platform,
          std::function<void()> showMainWindow);

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(int id, int code, HWND control) override;
    HWND defaultButton() override { return cmdOK; }
    // Any close but Ok unloads the dialog: the option chosen in it is dropped.
    void escapePressed() override { DestroyWindow(handle()); }

    // SelectAlarmView
    void setWaveFileText(const std::string& path) override;
    void selectOption(AlarmOption option) override;
    bool optionSelected(AlarmOption option) override;
    void setWaveControlsEnabled(bool enabled) override;
    void hideDialog() override;

    SelectAlarmPresenter m_presenter;
    HWND optBeep = nullptr;
    HWND optWave = nullptr;
    HWND txtWaveFile = nullptr;
    HWND cmdBrowse = nullptr;
    HWND cmdPlay = nullptr;
    HWND cmdOK = nullptr;
};

} // namespace horaloom
