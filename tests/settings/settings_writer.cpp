// Writes a settings file the way Horaloom does at exit; the fault tests run it under pressure.
//   settings_writer PATH WAVEFILE
#include "settingsfile.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: settings_writer PATH WAVEFILE\n");
        return 2;
    }
    horaloom::Settings settings;
    settings.AlarmType = 1;
    settings.RepeatCountdown = 1;
    settings.SavePosition = 1;
    settings.SavedLeft = 2880;
    settings.SavedTop = -1995;
    settings.WaveFile = QString::fromLocal8Bit(argv[2]);
    settings.DisplayClock = QStringLiteral("1");
    QString reason;
    if (!horaloom::writeSettingsFile(QString::fromLocal8Bit(argv[1]), settings, &reason)) {
        std::fprintf(stderr, "not saved: %s\n", qPrintable(reason));
        return 1;
    }
    return 0;
}
