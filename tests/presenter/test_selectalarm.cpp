// The Select Alarm dialog's behaviour on a fake dialog.
#include "fakemainview.h"
#include "fakeplatform.h"
#include "selectalarmpresenter.h"
#include "states.h"

#include <gtest/gtest.h>

namespace horaloom::testing {
namespace {

class SelectAlarmTest : public ::testing::Test {
protected:
    fakes::FakePlatform fake;
    Platform platform = fake.bundle();
    fakes::FakeSelectAlarmView view;
    std::int16_t alarmType = WaveAlarm;
    std::string waveFile = "/sounds/old.wav";
    int mainWindowShown = 0;
    SelectAlarmPresenter dialog{alarmType, waveFile, platform, view, [this] { ++mainWindowShown; }};
};

TEST_F(SelectAlarmTest, LoadingShowsTheSettingsAndOnlyOkAppliesTheOption)
{
    // A value other than 0 and 1 leaves the designed selection, the wave file.
    for (const auto& [type, option] : {std::pair{BeepAlarm, AlarmOption::Beep},
                                       {WaveAlarm, AlarmOption::Wave},
                                       {7, AlarmOption::Wave}}) {
        view = {};
        alarmType = static_cast<std::int16_t>(type);
        dialog.Form_Load();
        EXPECT_EQ(view.option, option) << type;
        EXPECT_EQ(view.waveControlsEnabled, option == AlarmOption::Wave) << type;
        EXPECT_EQ(view.waveFileText, "/sounds/old.wav"); // shown even when disabled
    }
    alarmType = WaveAlarm;
    view.option = AlarmOption::Beep;
    dialog.optBeep_Click();
    EXPECT_FALSE(view.waveControlsEnabled);
    EXPECT_EQ(alarmType, WaveAlarm);
    dialog.cmdOk_Click();
    EXPECT_EQ(alarmType, BeepAlarm);
    EXPECT_TRUE(view.hidden);
    EXPECT_EQ(mainWindowShown, 1);
}

TEST_F(SelectAlarmTest, BrowseTakesOnlyAReadableFileAndPlayPlaysTheChosenOne)
{
    dialog.Form_Load();
    for (const char* answer : {"", "/sounds/missing.wav"}) { // cancelled, or unreadable
        fake.fileDialog.answer = answer;
        dialog.cmdBrowse_Click();
        EXPECT_EQ(waveFile, "/sounds/old.wav") << answer;
    }
    EXPECT_EQ(fake.fileDialog.startedFrom, "/sounds/old.wav"); // it opens where that file is
    fake.files.files["/sounds/new.wav"] = "RIFF";
    fake.fileDialog.answer = "/sounds/new.wav";
    dialog.cmdBrowse_Click();
    EXPECT_EQ(waveFile, "/sounds/new.wav"); // taken at once, whatever the option
    EXPECT_EQ(view.waveFileText, "/sounds/new.wav");
    view.waveFileText = "/typed/over.wav";
    dialog.cmdPlay_Click();
    EXPECT_EQ(fake.sound.played, std::vector<std::string>{"/sounds/new.wav"});
}

} // namespace
} // namespace horaloom::testing
