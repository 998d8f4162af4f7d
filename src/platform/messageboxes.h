// Modal message boxes described by text, title and style number.
#pragma once

#include <string>

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

// Texts are UTF-8. details, when not empty, is shown on demand beneath the text (the reason
// behind a failure, for a user who started the program from a menu and sees no terminal).
struct Message {
    std::string text;
    std::string title;
    int style = MsgBox::OkOnly;
    std::string details;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box modally (timers keep firing meanwhile) and returns the answer.
    virtual int show(const Message& message) = 0;
};

} // namespace horaloom
