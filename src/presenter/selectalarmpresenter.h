// The Select Alarm dialog's behaviour: beep or wave file, and which wave file. Edits the
// program's AlarmType (only on Ok) and WaveFile (at once, when Browse finds a readable file).
#pragma once

#include "platform.h"
#include "selectalarmview.h"

#include <cstdint>
#include <functional>
#include <string>

namespace horaloom {

class SelectAlarmPresenter {
public:
    // alarmType and waveFile are the settings the main window holds; both must outlive the
    // presenter. showMainWindow brings the main window back after Ok.
    SelectAlarmPresenter(std::int16_t& alarmType, std::string& waveFile, Platform& platform,
                         SelectAlarmView& view, std::function<void()> showMainWindow);

    void Form_Load();
    void CheckValue();
    void optBeep_Click();
    void optWave_Click();
    void cmdBrowse_Click();
    void cmdPlay_Click();
    void cmdOk_Click();

private:
    std::int16_t& AlarmType;
    std::string& WaveFile;
    Platform& m_platform;
    SelectAlarmView& m_view;
    std::function<void()> m_showMainWindow;
};

} // namespace horaloom
