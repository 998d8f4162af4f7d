#include "digitbox.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace horaloom {

DigitBox::DigitBox(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
    setDragEnabled(false);
    setAcceptDrops(false);
    setEnabled(false);
}

void DigitBox::setHandlers(std::function<void(char32_t)> keyPress,
                           std::function<void(const QString&)> lostFocus)
{
    m_keyPress = std::move(keyPress);
    m_lostFocus = std::move(lostFocus);
}

void DigitBox::showDigit(const QString& text)
{
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
    if (m_lostFocus) {
        m_lostFocus(text());
    }
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

    // The clipboard shortcuts are characters like any other (Ctrl+V is 22), and refused as such.
    char32_t character = 0;
    if (event->matches(QKeySequence::Paste)) {
        character = 0x16;
    } else if (event->matches(QKeySequence::Copy)) {
        character = 0x03;
    } else if (event->matches(QKeySequence::Cut)) {
        character = 0x18;
    } else {
        const QList<uint> typed = event->text().toUcs4();
        if (typed.isEmpty() || event->key() == Qt::Key_Delete) {
            // Keys that produce no character (arrows, Delete, function keys) act as usual.
            QLineEdit::keyPressEvent(event);
            return;
        }
        // A key that produced several characters at once is no digit.
        character = typed.size() == 1 ? typed.front() : 0xFFFD;
    }
    event->accept();
    if (m_keyPress) {
        m_keyPress(character);
    }
}

} // namespace horaloom
