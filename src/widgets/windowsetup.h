// What every window does alike: set itself up as designed, come to the front, answer the keys
// any dialog answers, and tell assistive tools what each control is.
#pragma once

#include <QIcon>
#include <QString>
#include <initializer_list>

class QPushButton;
class QWidget;

namespace horaloom {

// Caption, what the window is for (for screen readers), icon, the designed font (whatever the
// system's), and a fixed client area in twips; black behind the controls when asked.
void designWindow(QWidget& window, const QString& caption, const QString& purpose,
                  const QIcon& icon, int widthTwips, int heightTwips, bool black);

// Visible and in front; a window already open stays as it is otherwise.
void bringToFront(QWidget& window);

// Escape closes the window as its frame's close button does; Return and Enter press the button
// that has the focus, or else the window's default button.
void answerDialogKeys(QWidget& window, QPushButton* defaultButton);

// What a screen reader says for a control: its name, and what it is for.
struct Described {
    const char* objectName;
    const char* name;
    const char* description;
};
void describeControls(QWidget& window, std::initializer_list<Described> controls);

} // namespace horaloom
