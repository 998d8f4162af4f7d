// What the Select Alarm dialog's presenter asks of the dialog that shows it.
#pragma once

#include <string>

namespace horaloom {

enum class AlarmOption { Beep, Wave };

class SelectAlarmView {
public:
    virtual ~SelectAlarmView() = default;
    // Shows a path, given as the system takes it; the view makes it readable.
    virtual void setWaveFileText(const std::string& path) = 0;
    virtual void selectOption(AlarmOption option) = 0;
    virtual bool optionSelected(AlarmOption option) = 0;
    // The wave file's text box, Browse and Play, in that order.
    virtual void setWaveControlsEnabled(bool enabled) = 0;
    virtual void hideDialog() = 0;
};

} // namespace horaloom
