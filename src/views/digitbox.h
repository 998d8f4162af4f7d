// One of the six one-digit boxes: shows a digit of the running time and, while a countdown is
// set up, takes typed characters. What a character does is the presenter's decision; the box
// selects its content before every key, so a digit the presenter accepts replaces it.
#pragma once

#include <QLineEdit>
#include <functional>

namespace horaloom {

class DigitBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DigitBox(QWidget* parent = nullptr);

    // A typed character (KeyPress), and the content when the box loses the focus.
    void setHandlers(std::function<void(char32_t)> keyPress,
                     std::function<void(const QString&)> lostFocus);

    // Shows the text, leaving an unchanged box alone.
    void showDigit(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void selectContent();

    std::function<void(char32_t)> m_keyPress;
    std::function<void(const QString&)> m_lostFocus;
};

} // namespace horaloom
