// The main window's start-up: one copy only, the settings file, the window's place.
#include "form1.h"

#include "digitbox.h"
#include "twips.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <cstdio>

namespace horaloom {

bool Form1::Form_Load()
{
    if (m_platform.singleInstance.anotherIsRunning()) {
        hide();
        m_platform.messageBoxes.show(QStringLiteral("Horaloom is already running."),
                                     QStringLiteral("Horaloom"), MsgBox::Critical);
        endProgram(1);
        return false;
    }
    if (!Initialize()) {
        return false;
    }
    StartDir = QDir::currentPath();
    hideButton(cmdStart);
    hideButton(cmdStop);
    hideButton(cmdReset);
    TimerRunning = 0;
    CountMode = 3;
    for (std::size_t i = 0; i < TimeDigits.size(); ++i) {
        TimeDigits[i] = 0;
        digitBoxes()[i]->showDigit(0);
    }
    // The main window stands for the start-up window: restore requests always go to it.
    if (!isVisible()) {
        show();
    }
    m_platform.titles.recoverAbandonedTitles();
    refreshTime();
    phaseTick();
    return true;
}

bool Form1::Initialize()
{
    const QString path = QDir::current().filePath(SettingsFileName);
    const SettingsReadResult read = readSettingsFile(path);
    if (!read.settings) {
        std::fprintf(stderr, "horaloom: %s, line %d: %s\n",
                     qPrintable(QDir::toNativeSeparators(path)), read.error.line,
                     qPrintable(read.error.problem));
        return failStartup();
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
    if (RepeatCountdown == 1 || RepeatCountdown == 0) {
        mnuRepeat->setChecked(RepeatCountdown == 1);
    }
    const int clock = DisplayClock.trimmed().toInt();
    if (clock == 1 || clock == 0) {
        mnuDisplayClock->setChecked(clock == 1);
    }
    if (!m_platform.tray.startup()) {
        return failStartup();
    }
    return true;
}

void Form1::placeWindow()
{
    if (SavePosition == 1) {
        // Taken as it is, even off the screen.
        move(twipsToPixels(SavedLeft), twipsToPixels(SavedTop));
        show();
        mnuPosition->setChecked(true);
    } else if (SavePosition == 0) {
        const QRect screen = QGuiApplication::primaryScreen()
                                 ? QGuiApplication::primaryScreen()->geometry()
                                 : QRect(0, 0, 800, 600);
        ensurePolished();
        adjustSize();
        const QSize frame = frameGeometry().size();
        const float left = (static_cast<float>(pixelsToTwips(screen.width())) -
                            static_cast<float>(pixelsToTwips(frame.width()))) /
                           2.0f;
        const float top = (static_cast<float>(pixelsToTwips(screen.height())) -
                           static_cast<float>(pixelsToTwips(frame.height()))) /
                          2.0f;
        move(screen.left() + twipsToPixels(left), screen.top() + twipsToPixels(top));
        show();
        mnuPosition->setChecked(false);
    }
}

bool Form1::failStartup()
{
    hide();
    m_platform.messageBoxes.show(QStringLiteral("Horaloom must be started from its directory"),
                                 QStringLiteral("Horaloom"), MsgBox::Exclamation);
    endProgram(1);
    return false;
}

} // namespace horaloom
