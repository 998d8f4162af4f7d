// The main window: the timer's state, its controls and menus, and every handler that drives
// them. Decisions live in the engine, entry and title-bar code; this class shows and forwards.
#pragma once

#include "form2.h"
#include "form4.h"
#include "frmhelp.h"
#include "palette.h"
#include "platform.h"
#include "settingsfile.h"
#include "tickcases.h"
#include "timedigits.h"
#include "titlebarwriter.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace horaloom {

class DigitBox;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    // The whole start-up. Returns false when the program must end (a second copy, or no
    // readable settings file); the user has been told why.
    bool Form_Load();

    // --- The timer's state, shared by the handlers below ---
    Digits TimeDigits{};
    Digits RepeatDigits{};
    std::int16_t CountMode = 3;    // 1 up, 2 down, 3 none
    std::int16_t TimerRunning = 0; // 1 from Start Timer until the count stops
    std::int16_t RepeatCountdown = 0;
    std::int16_t SavePosition = 0;
    std::int16_t SavedLeft = 0;
    std::int16_t SavedTop = 0;
    QString TimeText;
    std::int16_t AlarmType = 0; // 0 beep, 1 wave file
    QString WaveFile;
    QString DisplayClock = QStringLiteral("0");
    QString StartDir;

    // --- Controls, in the order the window holds them ---
    DigitBox* txtHours2 = nullptr;
    DigitBox* txtHours1 = nullptr;
    DigitBox* txtMinutes2 = nullptr;
    DigitBox* txtMinutes1 = nullptr;
    DigitBox* txtSeconds1 = nullptr;
    DigitBox* txtSeconds2 = nullptr;
    QLineEdit* txtTime = nullptr;
    QPushButton* cmdCountDown = nullptr;
    QPushButton* cmdQuit = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdStart = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QPushButton* cmdCountUp = nullptr;
    QPushButton* cmdHide = nullptr;
    QLabel* lblColon1 = nullptr;
    QLabel* lblColon2 = nullptr;
    QLabel* lblCurrentTime = nullptr;
    QLabel* lblSeconds = nullptr;
    QLabel* lblMinutes = nullptr;
    QLabel* lblHours = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuSettings = nullptr;
    QAction* mnuPosition = nullptr;
    QAction* mnuRepeat = nullptr;
    QAction* mnuDisplayClock = nullptr;
    QAction* mnuWav = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuProgram = nullptr;
    QAction* mnuabout = nullptr;

    // The six boxes by digit index: 0 seconds units .. 5 hours tens.
    std::array<DigitBox*, DigitCount> digitBoxes() const;
    QWidget* clientArea() const { return m_client; }
    QColor backgroundColour() const;
    Form2* aboutWindow() const { return m_form2; }
    frmHelp* helpWindow() const { return m_frmHelp; }

    // --- Routines ---
    bool Initialize();
    void ResetProgram();
    void CountUp();
    void CountDown();
    void TitleBar();
    void Quit();
    void ShowSetupScreen();
    void HideSetupScreen();
    // Hands a decorated window its own title back; for an end by signal.
    void restoreDecoratedTitle();

    // --- Handlers ---
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void cmdCountUp_Click();
    void cmdCountDown_Click();
    void cmdStart_Click();
    void cmdStop_Click();
    void cmdReset_Click();
    void cmdHide_Click();
    void cmdQuit_Click();
    void mnuExit_Click();
    void mnuPosition_Click();
    void mnuRepeat_Click();
    void mnuDisplayClock_Click();
    void mnuWav_Click();
    void mnuProgram_Click();
    void mnuabout_Click();
    void STI1_MouseRel(int Button);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createTimers();
    void connectHandlers();
    void setTabOrder();
    void stackSharedPlaces();

    void placeWindow();
    bool failStartup(); // the start-up message; always false
    void setBackground(const QColor& colour);
    void showDigits();
    void refreshTime();
    void runTickStep(TickStep step);
    void countdownEndWithoutRepeat();
    bool countdownEndWithRepeat();
    void signalCycle();
    void flashRandomColour();
    void phaseTick();
    bool writeSettings();
    void endProgram(int exitCode);

    Platform& m_platform;
    QWidget* m_client = nullptr;
    TitleBarWriter m_titleWriter;
    AlarmRandom m_random;
    QPointer<Form4> m_form4;
    QPointer<Form2> m_form2;
    QPointer<frmHelp> m_frmHelp;
    bool m_ending = false;
};

// "Shown" is Enabled then Visible; "hidden" the reverse.
void showButton(QPushButton* button);
void hideButton(QPushButton* button);

} // namespace horaloom
