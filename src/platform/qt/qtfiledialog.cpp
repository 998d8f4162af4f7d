#include "qtfiledialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace horaloom {

QString QtFileDialog::startFolder(const std::string& current)
{
    // Never the directory Horaloom happens to run in: for a desktop user that is the hidden
    // settings directory.
    const QFileInfo wave(QFile::decodeName(QByteArray::fromStdString(current)));
    if (!current.empty() && wave.absoluteDir().exists()) {
        return wave.absolutePath();
    }
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (!music.isEmpty() && QDir(music).exists()) {
        return music;
    }
    return QDir::homePath();
}

std::string QtFileDialog::openWaveFile(const std::string& current)
{
    // An Open dialog accepts existing files only; Qt's dialog has no read-only check box to
    // hide. Cancel gives an empty text.
    const QString path =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QStringLiteral("Open"),
                                     startFolder(current), QStringLiteral("Wave Files (*.wav)"));
    return QFile::encodeName(path).toStdString();
}

} // namespace horaloom
