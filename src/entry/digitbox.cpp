#include "digitbox.h"

#include "digitrules.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace horaloom {

DigitBox::DigitBox(std::int16_t& digit, int highestDigit, QWidget* parent)
    : QLineEdit(parent), m_digit(digit), m_highestDigit(highestDigit)
{
    setAlignment(Qt::AlignCenter);
    setDragEnabled(false);
    setAcceptDrops(false);
    setEnabled(false);
}

void DigitBox::showDigit(std::int16_t value)
{
    const QString text = QString::number(value);
    if (this->text() != text) {
        setText(text);
    }
}

void DigitBox::selectContent()
{
    setSelection(0, static_cast<int>(text().size()));
}

void DigitBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectContent();
}

void DigitBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    commit();
}

void DigitBox::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    selectContent();
}

void DigitBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    selectContent();
}

void DigitBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    selectContent();
}

void DigitBox::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    selectContent();
}

void DigitBox::keyPressEvent(QKeyEvent* event)
{
    // The whole content is selected before every key, so a typed digit replaces it.
    selectContent();

    // The clipboard shortcuts and every character other than an accepted digit are refused.
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy) ||
        event->matches(QKeySequence::Cut)) {
        refuse();
        return;
    }
    const QString typed = event->text();
    if (typed.isEmpty() || event->key() == Qt::Key_Delete) {
        // Keys that produce no character (arrows, Delete, function keys) act as usual.
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (typed.size() != 1 || !acceptsCharacter(typed.front(), m_highestDigit)) {
        refuse();
        return;
    }
    // Place the digit and store it, then move on. Storing here as well as on leaving the box
    // keeps the time right even when the window system withholds the focus-out event (Qt sends
    // none while it believes the window inactive).
    setText(typed);
    commit();
    event->accept();
    if (m_successor) {
        m_successor->setFocus(Qt::TabFocusReason);
    }
}

void DigitBox::refuse()
{
    if (m_beep) {
        m_beep();
    }
}

void DigitBox::commit()
{
    if (auto digit = committedDigit(text(), m_highestDigit)) {
        m_digit = *digit;
    } else {
        // Pasted or deleted content never reaches the time: show the stored digit again.
        showDigit(m_digit);
    }
}

} // namespace horaloom
