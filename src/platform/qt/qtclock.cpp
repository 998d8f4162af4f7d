#include "qtclock.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace horaloom {

QtClock::QtClock()
{
    // The long format has the seconds; drop its time-zone part, which the box has no room for.
    m_format = QLocale::system().timeFormat(QLocale::LongFormat);
    m_format.remove(QRegularExpression(QStringLiteral("\\s*\\(?t+\\)?")));
    m_format = m_format.trimmed();
    if (!m_format.contains(QLatin1Char('s'))) {
        m_format = QStringLiteral("HH:mm:ss");
    }
}

std::string QtClock::timeOfDay()
{
    // Local time changes only where UTC changes second (zone offsets are whole minutes), so
    // within one UTC second the text made at its start still stands.
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != m_second) {
        m_second = second;
        m_text = QTime::currentTime().toString(m_format).toStdString();
    }
    return m_text;
}

int QtClock::millisecondsIntoSecond()
{
    // Time zones differ from UTC by whole minutes: no need to ask for the local time here.
    return static_cast<int>(QDateTime::currentMSecsSinceEpoch() % 1000);
}

} // namespace horaloom
