#include "selectalarmpresenter.h"

#include "states.h"

namespace horaloom {

SelectAlarmPresenter::SelectAlarmPresenter(std::int16_t& alarmType, std::string& waveFile,
                                           Platform& platform, SelectAlarmView& view,
                                           std::function<void()> showMainWindow)
    : AlarmType(alarmType), WaveFile(waveFile), m_platform(platform), m_view(view),
      m_showMainWindow(std::move(showMainWindow))
{
}

void SelectAlarmPresenter::Form_Load()
{
    m_view.setWaveFileText(WaveFile);
    // Any other value selects nothing and leaves the designed selection (the wave file).
    if (AlarmType == BeepAlarm) {
        m_view.selectOption(AlarmOption::Beep);
    } else if (AlarmType == WaveAlarm) {
        m_view.selectOption(AlarmOption::Wave);
    }
    CheckValue();
}

void SelectAlarmPresenter::CheckValue()
{
    m_view.setWaveControlsEnabled(m_view.optionSelected(AlarmOption::Wave));
}

void SelectAlarmPresenter::optBeep_Click()
{
    CheckValue();
}

void SelectAlarmPresenter::optWave_Click()
{
    CheckValue();
}

void SelectAlarmPresenter::cmdBrowse_Click()
{
    const std::string path = m_platform.fileDialog.openWaveFile(WaveFile);
    // Cancelled, or a file that does not open for reading: nothing changes, silently.
    if (path.empty() || !m_platform.files.canRead(path)) {
        return;
    }
    WaveFile = path;
    m_view.setWaveFileText(WaveFile);
}

void SelectAlarmPresenter::cmdPlay_Click()
{
    m_platform.sound.playWave(WaveFile);
}

void SelectAlarmPresenter::cmdOk_Click()
{
    if (m_view.optionSelected(AlarmOption::Beep)) {
        AlarmType = BeepAlarm;
    } else if (m_view.optionSelected(AlarmOption::Wave)) {
        AlarmType = WaveAlarm;
    }
    m_view.hideDialog();
    if (m_showMainWindow) {
        m_showMainWindow();
    }
}

} // namespace horaloom
