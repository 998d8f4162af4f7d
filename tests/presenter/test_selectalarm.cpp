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

TEST_F(SelectAlarmTest, LoadingFillsTheDialogFromTheSettings)
{
    struct Case {
        std::int16_t type;
        AlarmOption option;
        bool waveControls;
    };
    // A value other than 0 and 1 leaves the designed selection, the wave file.
    const Case cases[] = {{BeepAlarm, AlarmOption::Beep, false},
                          {WaveAlarm, AlarmOption::Wave, true},
                          {7, AlarmOption::Wave, true}};
    for (const Case& c : cases) {
        view = {};
        alarmType = c.type;
        dialog.Form_Load();
        EXPECT_EQ(view.option, c.option) << c.type;
        EXPECT_EQ(view.waveControlsEnabled, c.waveControls) << c.type;
        EXPECT_EQ(view.waveFileText, "/sounds/old.wav"); // shown even when disabled
    }
}

TEST_F(SelectAlarmTest, OkAppliesTheOptionHidesAndShowsTheMainWindow)
{
    dialog.Form_Load();
    view.option = AlarmOption::Beep;
    dialog.optBeep_Click();
    EXPECT_FALSE(view.waveControlsEnabled);
    EXPECT_EQ(alarmType, WaveAlarm); // only Ok applies it
    dialog.cmdOk_Click();
    EXPECT_EQ(alarmType, BeepAlarm);
    EXPECT_TRUE(view.hidden);
    EXPECT_EQ(mainWindowShown, 1);
}

TEST_F(SelectAlarmTest, BrowseTakesAReadableFileAtOnceAndKeepsItWhateverTheOption)
{
    dialog.Form_Load();
    fake.files.files["/sounds/new.wav"] = "RIFF";
    fake.fileDialog.answer = "/sounds/new.wav";
    dialog.cmdBrowse_Click();
    EXPECT_EQ(waveFile, "/sounds/new.wav");
    EXPECT_EQ(view.waveFileText, "/sounds/new.wav");
    view.option = AlarmOption::Beep;
    dialog.cmdOk_Click();
    EXPECT_EQ(alarmType, BeepAlarm);
    EXPECT_EQ(waveFile, "/sounds/new.wav");
}

TEST_F(SelectAlarmTest, CancelledOrUnreadableBrowseChangesNothing)
{
    dialog.Form_Load();
    for (const char* answer : {"", "/sounds/missing.wav"}) {
        fake.fileDialog.answer = answer;
        dialog.cmdBrowse_Click();
        EXPECT_EQ(waveFile, "/sounds/old.wav") << answer;
        EXPECT_EQ(view.waveFileText, "/sounds/old.wav") << answer;
    }
    EXPECT_EQ(fake.fileDialog.opened, 2);
    EXPECT_EQ(fake.fileDialog.startedFrom, "/sounds/old.wav"); // it opens where that file is
}

TEST_F(SelectAlarmTest, PlayPlaysTheChosenFileNotTheTextBox)
{
    dialog.Form_Load();
    view.waveFileText = "/typed/over.wav";
    dialog.cmdPlay_Click();
    EXPECT_EQ(fake.sound.played, std::vector<std::string>{"/sounds/old.wav"});
}

} // namespace
} // namespace horaloom::testing
