// The main window's shell: exit, the Settings toggles, hiding to the tray, secondary windows.
#include "form1.h"

#include "twips.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

namespace horaloom {

void Form1::cmdQuit_Click()
{
    TitleBar();
    ResetProgram();
    Quit();
}

void Form1::mnuExit_Click()
{
    cmdQuit_Click();
}

void Form1::Quit()
{
    const bool note = TimerRunning == 1;
    QString prompt = QStringLiteral("Are you sure you want to quit?");
    if (note) {
        prompt += QStringLiteral("\r\n     (Timer has been reset)");
    }
    const int answer =
        m_platform.messageBoxes.show(prompt, QStringLiteral("Exit Horaloom"), MsgBox::YesNo);
    if (note) {
        TimerRunning = 0;
    }
    if (answer != MsgBox::Yes) {
        return;
    }
    writeSettings();
    endProgram(0);
}

bool Form1::writeSettings()
{
    Settings s;
    s.AlarmType = AlarmType;
    s.RepeatCountdown = RepeatCountdown;
    s.SavePosition = SavePosition;
    // The window's actual edges, whatever SavePosition holds.
    SavedLeft = storableEdge(pixelsToTwips(x()));
    SavedTop = storableEdge(pixelsToTwips(y()));
    s.SavedLeft = SavedLeft;
    s.SavedTop = SavedTop;
    s.WaveFile = WaveFile;
    s.DisplayClock = DisplayClock;

    // Always into the start-up directory, whatever the file dialog has made current since.
    const QString path = QDir(StartDir).filePath(SettingsFileName);
    QString reason;
    if (writeSettingsFile(path, s, &reason)) {
        return true;
    }
    std::fprintf(stderr, "horaloom: could not save %s: %s\n",
                 qPrintable(QDir::toNativeSeparators(path)), qPrintable(reason));
    m_platform.messageBoxes.show(QStringLiteral("The settings could not be saved to %1:\r\n%2")
                                     .arg(QDir::toNativeSeparators(path), reason),
                                 QStringLiteral("Exit Horaloom"), MsgBox::Exclamation);
    return false;
}

void Form1::endProgram(int exitCode)
{
    // Nothing runs after this: no tick, no alarm, no second question from a closing window.
    m_ending = true;
    Timer1->stop();
    Timer2->stop();
    Timer3->stop();
    for (QWidget* window :
         {static_cast<QWidget*>(m_form4.data()), static_cast<QWidget*>(m_form2.data()),
          static_cast<QWidget*>(m_frmHelp.data())}) {
        if (window) {
            window->hide();
        }
    }
    hide();
    m_platform.programEnd.endProgram(exitCode);
}

namespace {
// The Settings toggles: the entry has already flipped its check mark; the setting follows it.
void followCheckMark(const QAction* entry, std::int16_t& setting)
{
    setting = entry->isChecked() ? 1 : 0;
}
} // namespace

void Form1::mnuPosition_Click()
{
    followCheckMark(mnuPosition, SavePosition);
}

void Form1::mnuRepeat_Click()
{
    followCheckMark(mnuRepeat, RepeatCountdown);
}

void Form1::mnuDisplayClock_Click()
{
    DisplayClock = mnuDisplayClock->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

void Form1::cmdHide_Click()
{
    HideSetupScreen();
}

void Form1::HideSetupScreen()
{
    if (!m_platform.tray.available()) {
        // Without a tray host the icon could not bring the window back: minimise instead.
        showMinimized();
        return;
    }
    hide();
}

void Form1::ShowSetupScreen()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    update();
}

void Form1::STI1_MouseRel(int)
{
    ShowSetupScreen();
}

void Form1::mnuWav_Click()
{
    if (!m_form4) {
        m_form4 = new Form4(AlarmType, WaveFile, m_platform.sound, m_platform.fileDialog,
                            [this] { show(); });
    }
    m_form4->open();
}

void Form1::mnuProgram_Click()
{
    if (!m_frmHelp) {
        m_frmHelp = new frmHelp();
    }
    m_frmHelp->open();
}

void Form1::mnuabout_Click()
{
    if (!m_form2) {
        m_form2 = new Form2();
    }
    m_form2->open();
}

} // namespace horaloom
