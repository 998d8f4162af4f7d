// The Settings toggles and the only orderly way out: asked, and saved on Yes.
#include "mainpresenter.h"

#include "settingsformat.h"
#include "states.h"

#include <cstdio>

namespace horaloom {

void MainPresenter::cmdQuit_Click()
{
    TitleBar();
    ResetProgram();
    Quit();
}

void MainPresenter::mnuExit_Click()
{
    cmdQuit_Click();
}

bool MainPresenter::closeRequested()
{
    if (!m_ending) {
        // Closing the window is the same as File, Exit.
        mnuExit_Click();
    }
    return m_ending;
}

void MainPresenter::Quit()
{
    const bool note = TimerRunning == TimerOn;
    std::string prompt = "Are you sure you want to quit?";
    if (note) {
        prompt += "\r\n     (Timer has been reset)";
    }
    const int answer = m_platform.messageBoxes.show({prompt, "Exit Horaloom", MsgBox::YesNo, {}});
    if (note) {
        TimerRunning = TimerOff;
    }
    if (answer != MsgBox::Yes) {
        return;
    }
    writeSettings();
    endProgram(0);
}

void MainPresenter::endWithoutAsking()
{
    // Ending first: a change of foreground reported in the same pass of the event loop, or a
    // tick due, would decorate a window again after its title came back.
    m_ending = true;
    m_titleWriter.restoreLastWindow();
    endProgram(0);
}

void MainPresenter::writeSettings()
{
    // The window's actual edges, whatever SavePosition holds.
    const TwipsPoint corner = m_view.position();
    SavedLeft = storableEdge(corner.left);
    SavedTop = storableEdge(corner.top);
    const Settings s{AlarmType, RepeatCountdown, SavePosition, SavedLeft,
                     SavedTop,  WaveFile,        DisplayClock};

    // Always into the start-up directory, whatever the file dialog has made current since.
    Files& files = m_platform.files;
    const std::string path = files.pathIn(StartDir, SettingsFileName);
    const auto bytes = formatSettings(s);
    const std::string reason =
        bytes ? files.replaceFile(path, *bytes) : "a text value holds a line break";
    if (reason.empty()) {
        return;
    }
    const std::string name = files.displayName(path);
    std::fprintf(stderr, "horaloom: could not save %s: %s\n", name.c_str(), reason.c_str());
    m_platform.messageBoxes.show({"The settings could not be saved to " + name + ":\r\n" + reason,
                                  "Exit Horaloom",
                                  MsgBox::Exclamation,
                                  {}});
}

void MainPresenter::endProgram(int exitCode)
{
    // Nothing runs after this: no tick, no alarm, no second question from a closing window.
    m_ending = true;
    m_view.stopTimer1();
    m_view.setAlarmTimer(AlarmTimer::Timer2, false);
    m_view.setAlarmTimer(AlarmTimer::Timer3, false);
    m_view.closeAllWindows();
    m_platform.programEnd.endProgram(exitCode);
}

// The Settings toggles follow one rule: a set check mark is cleared and the setting becomes 0;
// a clear one is set and the setting becomes 1.
bool MainPresenter::toggle(Entry entry)
{
    const bool checked = !entryChecked(entry);
    setChecked(entry, checked);
    return checked;
}

void MainPresenter::mnuPosition_Click()
{
    SavePosition = toggle(Entry::Position) ? FlagOn : FlagOff;
}

void MainPresenter::mnuRepeat_Click()
{
    RepeatCountdown = toggle(Entry::Repeat) ? FlagOn : FlagOff;
}

void MainPresenter::mnuDisplayClock_Click()
{
    DisplayClock = std::string(1, toggle(Entry::DisplayClock) ? '1' : '0');
}

} // namespace horaloom
