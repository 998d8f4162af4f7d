// "Horaloom.ini": seven CR LF lines, read at start-up and written at a confirmed exit.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace horaloom {

struct Settings {
    std::int16_t AlarmType = 0;
    std::int16_t RepeatCountdown = 0;
    std::int16_t SavePosition = 0;
    std::int16_t SavedLeft = 0;
    std::int16_t SavedTop = 0;
    QString WaveFile;
    QString DisplayClock = QStringLiteral("0");
};

// Why a settings file could not be read: the 1-based line and what was wrong with it.
struct SettingsError {
    int line = 0;
    QString problem;
};

struct SettingsReadResult {
    std::optional<Settings> settings; // set when the file read completely
    SettingsError error;              // meaningful when settings is empty
};

inline const QString SettingsFileName = QStringLiteral("Horaloom.ini");

// Parses the bytes of a settings file by the field rules. Never throws.
SettingsReadResult parseSettings(const QByteArray& bytes);
// Reads and parses the file at path; a missing or unreadable file is an error on line 0.
SettingsReadResult readSettingsFile(const QString& path);

// The exact bytes of the file for these values.
QByteArray formatSettings(const Settings& settings);
// Writes the file atomically (temporary file in the same directory, then rename): on failure
// the old file stays as it was. Returns false and a reason when the write failed.
bool writeSettingsFile(const QString& path, const Settings& settings, QString* errorText);

// Twips to a storable edge: rounded to nearest with halves to even, clamped to 16 bits.
std::int16_t storableEdge(double twips);

} // namespace horaloom
