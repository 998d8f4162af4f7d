#include "helptext.h"

#include <QStringList>

namespace horaloom {

QString helpText()
{
    // One entry per line; the quotes inside are part of the text, as are the blanks (two after
    // the comma in the first line, two at the end of the "Start Timer" line) and the doubled
    // quotes.
    static const QStringList lines = {
        QStringLiteral(R"(Select "Count Up",  or "Count Down" mode.)"),
        QString(),
        QStringLiteral(R"(If you select "Count Down", enter your desired time.)"),
        QString(),
        QStringLiteral(R"(Select "Start Timer", "Stop Timer"", and  )"),
        QStringLiteral(R"("Reset"" to manipulate timer display)"),
        QString(),
        QStringLiteral(R"(Select "Hide" to hide the setup screen. Click the System Tray)"),
        QStringLiteral(R"(icon to display the setup screen.)"),
        QString(),
        QStringLiteral(R"("Repeat Countdown" causes the countdown timer to cycle.)"),
        QString(),
        QStringLiteral(
            R"("Save Position on Exit" restores the last timer window position on startup.)"),
        QString(),
        QStringLiteral(R"("Display Clock in Title Bar" displays current time with running timer.)"),
        QString(),
        QStringLiteral(R"x("Select Alarm" specifies sound ("Beep" or "Wave File"))x"),
        QStringLiteral(R"(on countdown completion.)"),
    };
    QString text;
    for (const QString& line : lines) {
        text += line + QStringLiteral("\r\n");
    }
    return text;
}

} // namespace horaloom
