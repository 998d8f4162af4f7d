// Reading and writing "Horaloom.ini". The reader walks the bytes with explicit bounds checks
// because the file may have been edited by hand, or be anything at all.
#include "settingsfile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <cmath>

namespace horaloom {
namespace {

// A text exactly as the file holds it. QFile::decodeName would drop a byte-order mark at its
// start, and the blanks behind the mark would then be lost on the next read.
QString decodeText(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::System, QStringConverter::Flag::ConvertInitialBom);
    return decoder(bytes);
}

// The real file is a few dozen bytes; the cap keeps a wrong path (a device, a huge log) harmless.
constexpr qint64 MaxFileSize = 1024 * 1024;
constexpr long MinValue = -32768;
constexpr long MaxValue = 32767;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A piece of the file fit for an error message: short, with control bytes shown as '?'.
QString excerpt(QByteArray bytes)
{
    constexpr qsizetype Limit = 32;
    const bool cut = bytes.size() > Limit;
    bytes.truncate(Limit);
    for (char& c : bytes) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    }
    return QFile::decodeName(bytes) + (cut ? QStringLiteral("...") : QString());
}

bool isWholeNumber(QByteArrayView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return false;
    }
    return true;
}

// Walks the fields of the file. Blanks are spaces and tabs; a line ends at LF, CR LF, or a CR
// that is the last byte. A field that runs into the end of the file counts as ending its line,
// so a missing next field is reported on the line where it should have been.
class FieldReader {
public:
    explicit FieldReader(const QByteArray& bytes) : m_bytes(bytes)
    {
        if (m_bytes.startsWith("\xEF\xBB\xBF")) // a byte-order mark left by a text editor
            m_pos = 3;
    }

    int line() const { return m_line; }

    bool readInteger(std::int16_t& value, SettingsError& error)
    {
        skipBlanks();
        if (atEnd())
            return endOfFile(error);
        const qsizetype start = m_pos;
        if (atFieldEnd())
            return fail(error, QStringLiteral("the value is missing"));

        if (byte() == '+' || byte() == '-')
            ++m_pos;
        const qsizetype digitsStart = m_pos;
        long magnitude = 0;
        while (!atEnd() && isDigit(byte())) {
            if (magnitude <= MaxValue + 1) // past the range it only has to stay past it
                magnitude = magnitude * 10 + (byte() - '0');
            ++m_pos;
        }
        const qsizetype numberEnd = m_pos;
        skipBlanks();
        if (numberEnd == digitsStart || !atFieldEnd()) {
            while (!atFieldEnd())
                ++m_pos;
            return fail(error, QStringLiteral("'%1' is not a number")
                                   .arg(excerpt(m_bytes.sliced(start, m_pos - start))));
        }
        const long number = m_bytes[start] == '-' ? -magnitude : magnitude;
        if (number < MinValue || number > MaxValue) {
            return fail(error, QStringLiteral("value %1 is outside -32768..32767")
                                   .arg(excerpt(m_bytes.sliced(start, numberEnd - start))));
        }
        value = static_cast<std::int16_t>(number);
        consumeFieldEnd();
        return true;
    }

    // Text fields run to the end of their line, commas included, so paths holding a comma
    // survive. Only the blanks before the text are skipped.
    bool readTextLine(QByteArray& text, SettingsError& error)
    {
        if (atEnd())
            return endOfFile(error);
        skipBlanks();
        qsizetype end = m_bytes.indexOf('\n', m_pos);
        if (end < 0)
            end = m_bytes.size();
        qsizetype textEnd = end;
        if (textEnd > m_pos && m_bytes[textEnd - 1] == '\r')
            --textEnd;
        text = m_bytes.sliced(m_pos, textEnd - m_pos);
        m_pos = end < m_bytes.size() ? end + 1 : end;
        ++m_line;
        return true;
    }

    bool fail(SettingsError& error, const QString& problem) const
    {
        error = SettingsError{m_line, problem};
        return false;
    }

private:
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    char byte() const { return m_bytes[m_pos]; }

    bool atLineEnd() const
    {
        if (atEnd())
            return false;
        if (byte() == '\n')
            return true;
        return byte() == '\r' && (m_pos + 1 == m_bytes.size() || m_bytes[m_pos + 1] == '\n');
    }

    bool atFieldEnd() const { return atEnd() || byte() == ',' || atLineEnd(); }

    void skipBlanks()
    {
        while (!atEnd() && isBlank(byte()))
            ++m_pos;
    }

    void consumeFieldEnd()
    {
        if (!atEnd() && byte() == ',') {
            ++m_pos;
            return;
        }
        if (!atEnd() && byte() == '\r')
            ++m_pos;
        if (!atEnd() && byte() == '\n')
            ++m_pos;
        ++m_line;
    }

    bool endOfFile(SettingsError& error) const
    {
        return fail(error, QStringLiteral("the file ends before all seven values were read"));
    }

    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
    int m_line = 1;
};

QByteArray integerLine(std::int16_t value)
{
    // A blank stands where the sign would be, and one blank follows the number.
    return (value < 0 ? QByteArray() : QByteArray(" ")) + QByteArray::number(value) + " \r\n";
}

bool failWrite(QString* errorText, const QString& reason)
{
    if (errorText)
        *errorText = reason;
    return false;
}

} // namespace

SettingsReadResult parseSettings(const QByteArray& bytes)
{
    SettingsReadResult result;
    Settings settings;
    FieldReader reader(bytes);
    for (std::int16_t* field : {&settings.AlarmType, &settings.RepeatCountdown,
                                &settings.SavePosition, &settings.SavedLeft, &settings.SavedTop}) {
        if (!reader.readInteger(*field, result.error))
            return result;
    }

    QByteArray waveFile;
    if (!reader.readTextLine(waveFile, result.error))
        return result;
    settings.WaveFile = decodeText(waveFile);

    QByteArray displayClock;
    const int displayClockLine = reader.line();
    if (!reader.readTextLine(displayClock, result.error))
        return result;
    // Kept as read without its surrounding blanks; it must read as a whole number, though
    // numbers other than 0 and 1 are allowed (they leave the title-bar clock alone).
    displayClock = displayClock.trimmed();
    if (displayClock.isEmpty()) {
        result.error = {displayClockLine, QStringLiteral("the display clock value is missing")};
        return result;
    }
    if (!isWholeNumber(displayClock)) {
        result.error = {
            displayClockLine,
            QStringLiteral("display clock '%1' is not a number").arg(excerpt(displayClock))};
        return result;
    }
    settings.DisplayClock = QFile::decodeName(displayClock);
    result.settings = settings;
    return result;
}

SettingsReadResult readSettingsFile(const QString& path)
{
    SettingsReadResult result;
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = {0, QStringLiteral("cannot open %1: %2").arg(name, file.errorString())};
        return result;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = {0, QStringLiteral("cannot read %1: %2").arg(name, file.errorString())};
        return result;
    }
    if (bytes.size() > MaxFileSize) {
        result.error = {0, QStringLiteral("%1 is too large to be a settings file").arg(name)};
        return result;
    }
    return parseSettings(bytes);
}

QByteArray formatSettings(const Settings& settings)
{
    QByteArray bytes;
    for (std::int16_t value : {settings.AlarmType, settings.RepeatCountdown, settings.SavePosition,
                               settings.SavedLeft, settings.SavedTop})
        bytes += integerLine(value);
    bytes += QFile::encodeName(settings.WaveFile) + "\r\n";
    bytes += QFile::encodeName(settings.DisplayClock) + "\r\n";
    return bytes;
}

bool writeSettingsFile(const QString& path, const Settings& settings, QString* errorText)
{
    const QString name = QDir::toNativeSeparators(path);
    // A line feed inside a text would split it into two lines and shift every later value.
    if (settings.WaveFile.contains(QLatin1Char('\n')) ||
        settings.DisplayClock.contains(QLatin1Char('\n'))) {
        return failWrite(errorText, QStringLiteral("cannot write %1: a text value holds a line "
                                                   "break")
                                        .arg(name));
    }

    QSaveFile file(path);
    // Writing in place could leave a half-written file behind; better to fail and keep the old.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a full disk shows in write() itself: Qt's commit() does not notice a flush
    // that failed inside its own close, and would rename the empty file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failWrite(errorText,
                         QStringLiteral("cannot write %1: %2").arg(name, file.errorString()));
    const QByteArray bytes = formatSettings(settings);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failWrite(errorText, QStringLiteral("cannot write %1: %2").arg(name, reason));
    }
    if (!file.commit())
        return failWrite(errorText,
                         QStringLiteral("cannot write %1: %2").arg(name, file.errorString()));
    return true;
}

std::int16_t storableEdge(double twips)
{
    if (std::isnan(twips))
        return 0;
    if (twips >= MaxValue)
        return static_cast<std::int16_t>(MaxValue);
    if (twips <= MinValue)
        return static_cast<std::int16_t>(MinValue);
    // Halves go to the even neighbour, whatever rounding mode the process happens to be in.
    double rounded = std::floor(twips);
    const double fraction = twips - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    return static_cast<std::int16_t>(rounded);
}

} // namespace horaloom
