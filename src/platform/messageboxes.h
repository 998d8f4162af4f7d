// Modal message boxes described by text, title and style number.
#pragma once

#include <QString>

namespace horaloom {

namespace MsgBox {
// Style numbers: buttons plus icon.
inline constexpr int OkOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Exclamation = 48;
// Answers.
inline constexpr int Ok = 1;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgBox

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box modally (timers keep firing meanwhile) and returns the answer.
    virtual int show(const QString& text, const QString& title, int style) = 0;
};

} // namespace horaloom
