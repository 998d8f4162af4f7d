// One of the six one-digit boxes: shows a digit of the running time and, while a countdown is
// set up, takes one typed digit and hands the focus on.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>

namespace horaloom {

class DigitBox : public QLineEdit {
    Q_OBJECT
public:
    // digit is the element of the time this box shows and stores into; highestDigit is 9 or 5.
    DigitBox(std::int16_t& digit, int highestDigit, QWidget* parent = nullptr);

    // Where the focus goes after an accepted digit.
    void setSuccessor(QWidget* successor) { m_successor = successor; }
    // The refusal sound.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // Shows the digit as "0" to "9".
    void showDigit(std::int16_t value);

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
    void refuse();
    void commit();

    std::int16_t& m_digit;
    int m_highestDigit;
    QWidget* m_successor = nullptr;
    std::function<void()> m_beep;
};

} // namespace horaloom
