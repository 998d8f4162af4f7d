// Reading and writing Horaloom.ini: the exact bytes, what a hand-edited file may hold, and
// that a failed write never costs the user the old file.
#include "settingsfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <limits>
#include <ostream>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace horaloom {
namespace {

const QByteArray Example =
    " 1 \r\n 0 \r\n 1 \r\n 2880 \r\n 1995 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n";

Settings settings(int alarm, int repeat, int position, int left, int top, const char* wave,
                  const char* clock)
{
    return Settings{static_cast<std::int16_t>(alarm),
                    static_cast<std::int16_t>(repeat),
                    static_cast<std::int16_t>(position),
                    static_cast<std::int16_t>(left),
                    static_cast<std::int16_t>(top),
                    QString::fromUtf8(wave),
                    QString::fromUtf8(clock)};
}

void expectSettings(const SettingsReadResult& result, const Settings& want)
{
    ASSERT_TRUE(result.settings.has_value())
        << "line " << result.error.line << ": " << result.error.problem.toStdString();
    const Settings& got = *result.settings;
    EXPECT_EQ(got.AlarmType, want.AlarmType);
    EXPECT_EQ(got.RepeatCountdown, want.RepeatCountdown);
    EXPECT_EQ(got.SavePosition, want.SavePosition);
    EXPECT_EQ(got.SavedLeft, want.SavedLeft);
    EXPECT_EQ(got.SavedTop, want.SavedTop);
    EXPECT_EQ(got.WaveFile, want.WaveFile);
    EXPECT_EQ(got.DisplayClock, want.DisplayClock);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST(SettingsFormat, WorkedExampleIsExactlyTheseFiftyFiveBytes)
{
    const QByteArray bytes =
        formatSettings(settings(1, 0, 1, 2880, 1995, "C:\\SOUNDS\\ALARM.WAV", "1"));
    EXPECT_EQ(bytes, Example);
    EXPECT_EQ(bytes.size(), 55);
}

TEST(SettingsFormat, SignTakesThePlaceOfTheLeadingBlank)
{
    EXPECT_EQ(formatSettings(settings(0, -1, 32767, -32768, 0, "", "0")),
              " 0 \r\n-1 \r\n 32767 \r\n-32768 \r\n 0 \r\n\r\n0\r\n");
}

TEST(SettingsFile, WrittenValuesReadBackUnchanged)
{
    const Settings cases[] = {
        settings(1, 0, 1, 2880, 1995, "C:\\SOUNDS\\ALARM.WAV", "1"),
        settings(0, 1, 2, -3000, -32768, "", "0"),
        settings(-1, 32767, 0, 32767, -1, "C:\\SOUNDS\\BELL,LOUD.WAV", "2"),
        settings(1, 1, 1, 0, 0, "/home/jörg/Klänge/glocke, laut ♪.wav", "1"),
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(SettingsFileName);
    for (const Settings& written : cases) {
        SCOPED_TRACE(written.WaveFile.toStdString());
        QString error;
        ASSERT_TRUE(writeSettingsFile(path, written, &error)) << error.toStdString();
        expectSettings(readSettingsFile(path), written);
    }
}

TEST(SettingsParse, AcceptsHandEditedFiles)
{
    const Settings example = settings(1, 0, 1, 2880, 1995, "C:\\SOUNDS\\ALARM.WAV", "1");
    const struct {
        const char* name;
        QByteArray bytes;
        Settings want;
    } cases[] = {
        {"bare LF line ends", " 1 \n 0 \n 1 \n 2880 \n 1995 \nC:\\SOUNDS\\ALARM.WAV\n1\n", example},
        {"no blanks around numbers",
         "1\r\n0\r\n1\r\n2880\r\n1995\r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n", example},
        {"tabs and extra blanks",
         "\t1\t\r\n  +0  \r\n1\r\n2880\r\n1995\r\n  C:\\SOUNDS\\ALARM.WAV\r\n 1 \r\n", example},
        {"lines after the seventh", Example + "junk\r\n40000\r\n", example},
        {"no line end after line 7", Example.chopped(2), example},
        {"byte-order mark", "\xEF\xBB\xBF" + Example, example},
        {"commas between integers", " 1 , 0 , 1 \r\n2880,1995\r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n",
         example},
        {"save position 2, clock 2", "0\r\n0\r\n2\r\n-3000\r\n0\r\n/x.wav\r\n2\r\n",
         settings(0, 0, 2, -3000, 0, "/x.wav", "2")},
        {"empty line 6", "0\r\n0\r\n0\r\n0\r\n0\r\n\r\n-1\r\n", settings(0, 0, 0, 0, 0, "", "-1")},
        {"range limits", "-32768\r\n32767\r\n-0\r\n00032767\r\n0\r\n,\r\n0\r\n",
         settings(-32768, 32767, 0, 32767, 0, ",", "0")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectSettings(parseSettings(c.bytes), c.want);
    }
}

TEST(SettingsParse, WhatIsReadWritesBackToTheSameValues)
{
    // Found by the fuzzer: a byte-order mark at the start of the wave-file line, then a blank.
    const QByteArray file = " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\xEF\xBB\xBF\tbell.wav\r\n0\r\n";
    const auto first = horaloom::parseSettings(file);
    ASSERT_TRUE(first.settings);
    const auto again = horaloom::parseSettings(horaloom::formatSettings(*first.settings));
    ASSERT_TRUE(again.settings);
    EXPECT_EQ(again.settings->WaveFile, first.settings->WaveFile);
}

TEST(SettingsParse, RejectsBrokenFilesNamingTheLine)
{
    const QByteArray head = " 1 \r\n 0 \r\n 1 \r\n";
    const struct {
        QByteArray bytes;
        int line;
        const char* problem;
    } cases[] = {
        {"", 1, "file ends"},
        {Example.chopped(3), 7, "file ends"},
        {head + "40000\r\n 0 \r\n\r\n1\r\n", 4, "value 40000 is outside -32768..32767"},
        {head + "0\r\n-32769\r\n\r\n1\r\n", 5, "value -32769 is outside"},
        {"32768\r\n", 1, "outside"},
        {"0\r\n99999999999999999999999\r\n", 2, "outside"},
        {"0\r\n\r\n", 2, "missing"},
        {"0\r\n   ,1\r\n", 2, "missing"},
        {"abc\r\n", 1, "'abc' is not a number"},
        {"0\r\n0\r\n1x\r\n", 3, "'1x' is not a number"},
        {"- 5\r\n", 1, "not a number"},
        {QByteArray(" 1\0 \r\n", 6), 1, "not a number"},
        {"1\r2\r\n", 1, "not a number"},
        {head + "0\r\n0\r\nC:\\X.WAV\r\n\r\n", 7, "display clock value is missing"},
        {head + "0\r\n0\r\nC:\\X.WAV\r\nLOUD.WAV\r\n", 7, "display clock 'LOUD.WAV' is not"},
        {head + "0\r\n0\r\nC:\\X.WAV\r\n1,0\r\n", 7, "not a number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const SettingsReadResult result = parseSettings(c.bytes);
        EXPECT_FALSE(result.settings.has_value());
        EXPECT_EQ(result.error.line, c.line);
        EXPECT_TRUE(result.error.problem.contains(QLatin1String(c.problem)))
            << result.error.problem.toStdString();
    }
}

TEST(SettingsParse, FileIsCompleteOnlyOnceLineSevenHasItsValue)
{
    const qsizetype clockAt = Example.size() - 3;
    for (qsizetype length = 0; length <= Example.size(); ++length) {
        SCOPED_TRACE(length);
        const SettingsReadResult result = parseSettings(Example.left(length));
        EXPECT_EQ(result.settings.has_value(), length > clockAt);
        if (!result.settings) {
            EXPECT_TRUE(result.error.line >= 1 && result.error.line <= 7) << result.error.line;
        }
    }
}

TEST(SettingsFile, UnreadableFileIsAnErrorOnLineZero)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString& path :
         {dir.filePath(SettingsFileName), dir.path(), QStringLiteral("/dev/zero")}) {
        SCOPED_TRACE(path.toStdString());
        if (path.startsWith(QLatin1String("/dev")) && !QFile::exists(path))
            continue;
        const SettingsReadResult result = readSettingsFile(path);
        EXPECT_FALSE(result.settings.has_value());
        EXPECT_EQ(result.error.line, 0);
        EXPECT_TRUE(result.error.problem.contains(QDir::toNativeSeparators(path)))
            << result.error.problem.toStdString();
    }
}

TEST(SettingsFile, ReadOnlyDirectoryKeepsOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(SettingsFileName);
    ASSERT_TRUE(writeSettingsFile(path, settings(0, 0, 0, 0, 0, "old", "0"), nullptr));
    const QByteArray old = contentOf(path);
    const auto writable = QFile::permissions(dir.path());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    QFile probe(dir.filePath(QStringLiteral("probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(dir.path(), writable);
        GTEST_SKIP() << "running with rights that ignore a read-only directory (root?)";
    }

    QString error;
    EXPECT_FALSE(writeSettingsFile(path, settings(1, 1, 1, 1, 1, "new", "1"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contentOf(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    QFile::setPermissions(dir.path(), writable);
}

TEST(SettingsFile, FailedWriteReportsWhyAndLeavesTheTargetAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString existing = dir.filePath(SettingsFileName);
    ASSERT_TRUE(writeSettingsFile(existing, settings(0, 0, 0, 0, 0, "old", "0"), nullptr));
    const QByteArray old = contentOf(existing);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));

    const struct {
        const char* name;
        QString path;
        const char* wave;
    } cases[] = {
        {"directory is missing", dir.filePath(QStringLiteral("gone/Horaloom.ini")), "new"},
        {"path is a directory", dir.filePath(QStringLiteral("sub")), "new"},
        {"line break in a text", existing, "two\nlines"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(writeSettingsFile(c.path, settings(1, 1, 1, 1, 1, c.wave, "1"), &error));
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(c.path))) << error.toStdString();
    }
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());
    EXPECT_EQ(contentOf(existing), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(StorableEdge, RoundsHalvesToEvenAndClampsToSixteenBits)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const struct {
        double twips;
        int want;
    } cases[] = {
        {2.5, 2},         {3.5, 4},         {-2.5, -2},
        {-3.5, -4},       {0.5, 0},         {1.4999, 1},
        {-0.6, -1},       {2880.0, 2880},   {40000, 32767},
        {-40000, -32768}, {32767.4, 32767}, {-32768.6, -32768},
        {inf, 32767},     {-inf, -32768},   {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storableEdge(c.twips), c.want) << c.twips;
}

} // namespace
} // namespace horaloom
