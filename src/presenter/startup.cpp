// Start-up: one copy only, the settings file, the window's place.
#include "mainpresenter.h"

#include "settingsformat.h"
#include "states.h"

#include <cstdio>

namespace horaloom {

bool MainPresenter::Form_Load()
{
    if (m_platform.singleInstance.anotherIsRunning()) {
        m_view.hideWindow();
        m_platform.singleInstance.askOtherToComeForward();
        m_platform.messageBoxes.show(
            {"Horaloom is already running.", "Horaloom", MsgBox::Critical, {}});
        endProgram(1);
        return false;
    }
    if (!Initialize()) {
        return false;
    }
    StartDir = m_platform.files.currentDirectory();
    hideButton(Button::Start);
    hideButton(Button::Stop);
    hideButton(Button::Reset);
    TimerRunning = TimerOff;
    CountMode = NoMode;
    for (std::size_t i = 0; i < TimeDigits.size(); ++i) {
        writeDigit(i, 0);
    }
    // The main window stands for the start-up window: restore requests always go to it.
    if (!m_view.isShown()) {
        m_view.showWindow();
    }
    m_platform.titles.recoverAbandonedTitles();
    refreshTime();
    aimTimer1();
    // Starting Horaloom again is how a user who lost the window gets it back; a copy that is
    // still starting, or ending, has no window to give.
    m_platform.singleInstance.setComeForwardHandler([this] {
        if (!m_ending) {
            ShowSetupScreen();
        }
    });
    return true;
}

bool MainPresenter::Initialize()
{
    Files& files = m_platform.files;
    const std::string path = files.pathIn(files.currentDirectory(), SettingsFileName);
    const FileContents contents = files.readSmallFile(path, SettingsMaxBytes);
    if (!contents.bytes) {
        failStartup(files.displayName(path) + ": " + contents.error);
        return false;
    }
    const SettingsReadResult read = parseSettings(*contents.bytes);
    if (!read.settings) {
        failStartup(files.displayName(path) + ", line " + std::to_string(read.error.line) + ": " +
                    read.error.problem);
        return false;
    }
    const Settings& s = *read.settings;
    AlarmType = s.AlarmType;
    RepeatCountdown = s.RepeatCountdown;
    SavePosition = s.SavePosition;
    SavedLeft = s.SavedLeft;
    SavedTop = s.SavedTop;
    WaveFile = s.WaveFile;
    DisplayClock = s.DisplayClock;

    placeWindow();
    if (RepeatCountdown == FlagOn || RepeatCountdown == FlagOff) {
        setChecked(Entry::Repeat, RepeatCountdown == FlagOn);
    }
    const auto clock = numberValue(DisplayClock);
    if (clock == 1.0 || clock == 0.0) {
        setChecked(Entry::DisplayClock, clock == 1.0);
    }
    if (!m_platform.tray.startup()) {
        failStartup("the tray icon could not be set up");
        return false;
    }
    return true;
}

void MainPresenter::placeWindow()
{
    if (SavePosition == FlagOn) {
        // Taken as it is, even off the screen.
        m_view.moveTo({static_cast<double>(SavedLeft), static_cast<double>(SavedTop)});
        m_view.showWindow();
        setChecked(Entry::Position, true);
    } else if (SavePosition == FlagOff) {
        // Centred in single precision, as the position has always been computed.
        const TwipsRect screen = m_view.screen();
        const TwipsSize frame = m_view.frameSize();
        const float left =
            (static_cast<float>(screen.width) - static_cast<float>(frame.width)) / 2.0f;
        const float top =
            (static_cast<float>(screen.height) - static_cast<float>(frame.height)) / 2.0f;
        m_view.moveTo({screen.left + left, screen.top + top});
        m_view.showWindow();
        setChecked(Entry::Position, false);
    }
}

void MainPresenter::failStartup(const std::string& reason)
{
    // The reason goes to the terminal and, for a user who started Horaloom from a menu, into
    // the box's details.
    std::fprintf(stderr, "horaloom: %s\n", reason.c_str());
    m_view.hideWindow();
    m_platform.messageBoxes.show(
        {"Horaloom must be started from its directory", "Horaloom", MsgBox::Exclamation, reason});
    endProgram(1);
}

} // namespace horaloom
