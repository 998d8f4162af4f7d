// The Select Alarm dialog: beep or wave file, and which wave file. Edits the program-wide
// AlarmType (only on Ok) and WaveFile (at once, when Browse finds a readable file).
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace horaloom {

class FileDialog;
class Sound;

class Form4 : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidthTwips = 4455;
    static constexpr int ClientHeightTwips = 2055;

    // alarmType and waveFile are the settings the main window holds; both must outlive the
    // dialog. showMainWindow brings the main window back after Ok. Constructing the dialog
    // loads it: Form_Load fills it from the settings.
    Form4(std::int16_t& alarmType, QString& waveFile, Sound& sound, FileDialog& fileDialog,
          std::function<void()> showMainWindow, QWidget* parent = nullptr);

    // Makes the dialog visible and brings it to the front; a visible dialog stays as it is.
    void open();

    void Form_Load();
    void CheckValue();
    void optBeep_Click();
    void optWave_Click();
    void cmdBrowse_Click();
    void cmdPlay_Click();
    void cmdOk_Click();

private:
    void createControls();
    void setTabOrder();

    std::int16_t& AlarmType;
    QString& WaveFile;
    Sound& m_sound;
    FileDialog& m_fileDialog;
    std::function<void()> m_showMainWindow;

    QGroupBox* frmSound = nullptr;
    QRadioButton* optBeep = nullptr;
    QRadioButton* optWave = nullptr;
    QLineEdit* txtWaveFile = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace horaloom
