// The main window's presenter: its helpers, the digit boxes, hiding and the other windows.
#include "mainpresenter.h"

#include "digitrules.h"
#include "states.h"

namespace horaloom {

MainPresenter::MainPresenter(Platform& platform, MainView& view)
    : m_platform(platform), m_view(view), m_titleWriter(platform.titles)
{
    m_platform.tray.setMouseReleaseHandler([this](int button) { STI1_MouseRel(button); });
    m_platform.titles.setChangeHandler([this] { titlesChanged(); });
}

// "Shown" is Enabled then Visible; "hidden" the reverse.
void MainPresenter::showButton(Button button)
{
    m_view.setButtonEnabled(button, true);
    m_view.setButtonVisible(button, true);
}

void MainPresenter::hideButton(Button button)
{
    m_view.setButtonEnabled(button, false);
    m_view.setButtonVisible(button, false);
}

void MainPresenter::writeDigit(std::size_t index, std::int16_t value)
{
    TimeDigits[index] = value;
    m_view.setDigitText(static_cast<int>(index), std::to_string(value));
}

void MainPresenter::showDigits()
{
    for (std::size_t i = 0; i < TimeDigits.size(); ++i) {
        m_view.setDigitText(static_cast<int>(i), std::to_string(TimeDigits[i]));
    }
}

void MainPresenter::setDigitsEnabled(bool enabled)
{
    // Enabled from the hours tens box on, as the user reads them; disabled from the seconds.
    for (int i = 0; i < DigitCount; ++i) {
        m_view.setDigitEnabled(enabled ? DigitCount - 1 - i : i, enabled);
    }
}

bool MainPresenter::entryChecked(Entry entry) const
{
    return m_checked[static_cast<std::size_t>(entry)];
}

void MainPresenter::setChecked(Entry entry, bool checked)
{
    m_checked[static_cast<std::size_t>(entry)] = checked;
    m_view.setEntryChecked(entry, checked);
}

void MainPresenter::digitKeyPress(int index, char32_t character)
{
    const auto digit = static_cast<std::size_t>(index);
    if (!acceptsCharacter(character, DigitLimit[digit])) {
        m_platform.sound.beep();
        return;
    }
    // The digit replaces the box's content and is stored at once: the focus-out that would
    // store it may never come (a window the toolkit believes inactive gets none).
    writeDigit(digit, static_cast<std::int16_t>(character - U'0'));
    if (index > 0) {
        m_view.focusDigit(index - 1);
    } else {
        m_view.focusButton(Button::Start);
    }
}

void MainPresenter::digitLostFocus(int index, const std::string& text)
{
    const auto digit = static_cast<std::size_t>(index);
    if (auto value = committedDigit(text, DigitLimit[digit])) {
        TimeDigits[digit] = *value;
    } else {
        // Pasted or deleted content never reaches the time: the stored digit shows again.
        writeDigit(digit, TimeDigits[digit]);
    }
}

void MainPresenter::cmdHide_Click()
{
    HideSetupScreen();
}

void MainPresenter::HideSetupScreen()
{
    if (!m_platform.tray.available()) {
        // Without a tray host the icon could not bring the window back: minimise instead.
        m_view.minimiseWindow();
        return;
    }
    m_view.hideWindow();
    m_hiddenInTray = true;
}

void MainPresenter::ShowSetupScreen()
{
    m_hiddenInTray = false;
    m_view.restoreWindow();
}

void MainPresenter::STI1_MouseRel(int)
{
    ShowSetupScreen();
}

void MainPresenter::mnuWav_Click()
{
    m_view.openSelectAlarm();
}

void MainPresenter::mnuProgram_Click()
{
    m_view.openHelp();
}

void MainPresenter::mnuabout_Click()
{
    m_view.openAbout();
}

} // namespace horaloom
