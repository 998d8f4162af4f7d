// Reading and writing the bytes of "Horaloom.ini". The reader walks the bytes with explicit
// bounds checks because the file may have been edited by hand, or be anything at all.
#include "settingsformat.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <system_error>

namespace horaloom {
namespace {

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

// A piece of the file fit for an error message: short, printable ASCII only, other bytes as '?'
// (the file's code page is unknown, and the message must stay valid UTF-8).
std::string excerpt(std::string_view bytes)
{
    constexpr std::size_t Limit = 32;
    std::string text(bytes.substr(0, Limit));
    for (char& c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7f)
            c = '?';
    }
    return bytes.size() > Limit ? text + "..." : text;
}

// An excerpt in single quotes. Built from a string, not a literal: GCC 12 warns falsely of
// overlapping copies in "literal" + std::string at -O3.
std::string quoted(std::string_view bytes)
{
    return std::string("'").append(excerpt(bytes)).append("'");
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Walks the fields of the file. Blanks are spaces and tabs; a line ends at LF, CR LF, or a CR
// that is the last byte. A field that runs into the end of the file counts as ending its line,
// so a missing next field is reported on the line where it should have been.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : m_bytes(bytes)
    {
        if (m_bytes.starts_with("\xEF\xBB\xBF")) // a byte-order mark left by a text editor
            m_pos = 3;
    }

    int line() const { return m_line; }

    bool readInteger(std::int16_t& value, SettingsError& error)
    {
        skipBlanks();
        if (atEnd())
            return endOfFile(error);
        const std::size_t start = m_pos;
        if (atFieldEnd())
            return fail(error, "the value is missing");

        if (byte() == '+' || byte() == '-')
            ++m_pos;
        const std::size_t digitsStart = m_pos;
        long magnitude = 0;
        while (!atEnd() && isDigit(byte())) {
            if (magnitude <= MaxValue + 1) // past the range it only has to stay past it
                magnitude = magnitude * 10 + (byte() - '0');
            ++m_pos;
        }
        const std::size_t numberEnd = m_pos;
        skipBlanks();
        if (numberEnd == digitsStart || !atFieldEnd()) {
            while (!atFieldEnd())
                ++m_pos;
            return fail(error, quoted(m_bytes.substr(start, m_pos - start)) + " is not a number");
        }
        const long number = m_bytes[start] == '-' ? -magnitude : magnitude;
        if (number < MinValue || number > MaxValue) {
            return fail(error, std::string("value ") +
                                   excerpt(m_bytes.substr(start, numberEnd - start)) +
                                   " is outside -32768..32767");
        }
        value = static_cast<std::int16_t>(number);
        consumeFieldEnd();
        return true;
    }

    // Text fields run to the end of their line, commas included, so paths holding a comma
    // survive. Only the blanks before the text are skipped.
    bool readTextLine(std::string& text, SettingsError& error)
    {
        if (atEnd())
            return endOfFile(error);
        skipBlanks();
        std::size_t end = m_bytes.find('\n', m_pos);
        if (end == std::string_view::npos)
            end = m_bytes.size();
        std::size_t textEnd = end;
        if (textEnd > m_pos && m_bytes[textEnd - 1] == '\r')
            --textEnd;
        text = m_bytes.substr(m_pos, textEnd - m_pos);
        m_pos = end < m_bytes.size() ? end + 1 : end;
        ++m_line;
        return true;
    }

    bool fail(SettingsError& error, std::string problem) const
    {
        error = SettingsError{m_line, std::move(problem)};
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
        return fail(error, "the file ends before all seven values were read");
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    int m_line = 1;
};

std::string integerLine(std::int16_t value)
{
    // A blank stands where the sign would be, and one blank follows the number.
    return std::string(value < 0 ? "" : " ") + std::to_string(value) + " \r\n";
}

} // namespace

SettingsReadResult parseSettings(std::string_view bytes)
{
    SettingsReadResult result;
    Settings settings;
    FieldReader reader(bytes);
    for (std::int16_t* field : {&settings.AlarmType, &settings.RepeatCountdown,
                                &settings.SavePosition, &settings.SavedLeft, &settings.SavedTop}) {
        if (!reader.readInteger(*field, result.error))
            return result;
    }
    if (!reader.readTextLine(settings.WaveFile, result.error))
        return result;

    const int displayClockLine = reader.line();
    if (!reader.readTextLine(settings.DisplayClock, result.error))
        return result;
    // Kept as read; it must read as a number, though numbers other than 0 and 1 are allowed
    // (they leave the title-bar clock alone).
    if (trimBlanks(settings.DisplayClock).empty()) {
        result.error = {displayClockLine, "the display clock value is missing"};
        return result;
    }
    if (!numberValue(settings.DisplayClock)) {
        result.error = {displayClockLine, "display clock " +
                                              quoted(trimBlanks(settings.DisplayClock)) +
                                              " is not a number"};
        return result;
    }
    result.settings = std::move(settings);
    return result;
}

std::optional<std::string> formatSettings(const Settings& settings)
{
    for (const std::string* text : {&settings.WaveFile, &settings.DisplayClock}) {
        if (text->find('\n') != std::string::npos)
            return std::nullopt;
    }
    std::string bytes;
    for (std::int16_t value : {settings.AlarmType, settings.RepeatCountdown, settings.SavePosition,
                               settings.SavedLeft, settings.SavedTop})
        bytes += integerLine(value);
    bytes += settings.WaveFile + "\r\n";
    bytes += settings.DisplayClock + "\r\n";
    return bytes;
}

std::optional<double> numberValue(std::string_view text)
{
    text = trimBlanks(text);
    // from_chars takes a minus but no plus; a plus before a minus is no number.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    // Decimal digits, point and exponent only: from_chars would also take "inf" and "nan".
    if (text.find_first_not_of("0123456789.eE+-") != std::string_view::npos)
        return std::nullopt;
    double value = 0;
    const auto [end, status] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (text.empty() || status != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
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
