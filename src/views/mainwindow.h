// The main window, Form1: the controls and menus as designed, drawn as the presenter says.
// Clicks, keys and timer events go to the presenter; nothing is decided here.
#pragma once

#include "mainpresenter.h"
#include "mainview.h"

#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace horaloom {

class DigitBox;
class Form2;
class Form4;
class frmHelp;

class Form1 : public QMainWindow, private MainView {
    Q_OBJECT
public:
    // Every control carries its name as its object name, for tests and accessibility tools.
    explicit Form1(Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    MainPresenter& presenter() { return m_presenter; }

    // How to learn, before the window is first shown, the frame the window manager will draw
    // around it (left, top, right, bottom in pixels). Without one the window is placed as if
    // it had no frame until it has been shown.
    void setFrameProbe(std::function<QMargins(WId)> probe) { m_frameProbe = std::move(probe); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createTimers();
    void setTabOrder();
    void stackSharedPlaces();
    void connectHandlers();
    void describeControls();
    QPushButton* button(Button which) const;
    QAction* entry(Entry which) const;
    DigitBox* digitBox(int index) const;
    QMargins frameMargins();

    // MainView
    void setButtonEnabled(Button button, bool enabled) override;
    void setButtonVisible(Button button, bool visible) override;
    void setButtonLeft(Button button, int twips) override;
    void focusButton(Button button) override;
    void setDigitText(int index, const std::string& text) override;
    void setDigitEnabled(int index, bool enabled) override;
    void focusDigit(int index) override;
    void setDigitModified(int index, bool modified) override;
    void setClockText(const std::string& text) override;
    void setBackground(Rgb colour) override;
    void setCaption(const std::string& caption) override;
    void setEntryChecked(Entry entry, bool checked) override;
    void setEntryEnabled(Entry entry, bool enabled) override;
    void startTimer1(int milliseconds) override;
    void stopTimer1() override;
    void setAlarmTimer(AlarmTimer timer, bool running) override;
    TwipsRect screen() override;
    TwipsSize frameSize() override;
    TwipsPoint position() override;
    void moveTo(TwipsPoint corner) override;
    bool isShown() override;
    void showWindow() override;
    void hideWindow() override;
    void minimiseWindow() override;
    void restoreWindow() override;
    void openAbout() override;
    void openHelp() override;
    void openSelectAlarm() override;
    void closeAllWindows() override;

    Platform& m_platform;
    MainPresenter m_presenter;
    std::function<QMargins(WId)> m_frameProbe;
    std::optional<QMargins> m_probedFrame;
    QWidget* m_client = nullptr;

    // The controls, in the order the window holds them.
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

    QMenu* mnuFile = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuPosition = nullptr;
    QAction* mnuRepeat = nullptr;
    QAction* mnuDisplayClock = nullptr;
    QAction* mnuWav = nullptr;
    QAction* mnuProgram = nullptr;
    QAction* mnuabout = nullptr;

    QPointer<Form4> m_form4;
    QPointer<Form2> m_form2;
    QPointer<frmHelp> m_frmHelp;
};

} // namespace horaloom
