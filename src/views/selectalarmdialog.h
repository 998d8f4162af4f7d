// The Select Alarm dialog, Form4: its controls as designed; what they do is the presenter's.
#pragma once

#include "selectalarmpresenter.h"
#include "selectalarmview.h"

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace horaloom {

class Form4 : public QWidget, private SelectAlarmView {
    Q_OBJECT
public:
    static constexpr int ClientWidthTwips = 4455;
    static constexpr int ClientHeightTwips = 2055;

    // alarmType and waveFile are the settings the main window holds; both must outlive the
    // dialog. Constructing the dialog loads it: Form_Load fills it from the settings. Ok hides
    // it; any other close unloads it (it deletes itself), dropping the option chosen in it.
    Form4(std::int16_t& alarmType, std::string& waveFile, Platform& platform,
          std::function<void()> showMainWindow, QWidget* parent = nullptr);

    // Makes the dialog visible and brings it to the front; a visible dialog stays as it is.
    void open();

private:
    void createControls();
    void setTabOrder();

    // SelectAlarmView
    void setWaveFileText(const std::string& path) override;
    void selectOption(AlarmOption option) override;
    bool optionSelected(AlarmOption option) override;
    void setWaveControlsEnabled(bool enabled) override;
    void hideDialog() override;

    SelectAlarmPresenter m_presenter;

    QGroupBox* frmSound = nullptr;
    QRadioButton* optBeep = nullptr;
    QRadioButton* optWave = nullptr;
    QLineEdit* txtWaveFile = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace horaloom
