#include "lazysound.h"

#include <QApplication>
#include <QDir>
#include <QLibrary>
#include <cstdio>

namespace horaloom {

namespace {
using Factory = Sound* (*)();
}

LazySound::LazySound(QStringList moduleDirectories) : m_directories(std::move(moduleDirectories)) {}

LazySound::~LazySound() = default;

Sound* LazySound::sound()
{
    if (m_tried) {
        return m_sound.get();
    }
    m_tried = true;
    QString reason = QStringLiteral("not found");
    for (const QString& directory : m_directories) {
        QLibrary module(QDir(directory).filePath(QStringLiteral("horaloom_sound")));
        if (!module.load()) {
            if (QDir(directory).exists(QStringLiteral("libhoraloom_sound.so")) ||
                QDir(directory).exists(QStringLiteral("horaloom_sound.dll"))) {
                reason = module.errorString();
            }
            continue;
        }
        // The module stays loaded for the rest of the run: the sound may still be playing.
        if (auto create = reinterpret_cast<Factory>(module.resolve("horaloom_create_sound"))) {
            m_sound.reset(create());
            return m_sound.get();
        }
        reason = module.errorString();
    }
    std::fprintf(stderr, "horaloom: no sound module (%s); the beep is the X bell\n",
                 qPrintable(reason));
    return nullptr;
}

void LazySound::beep()
{
    if (Sound* real = sound()) {
        real->beep();
    } else {
        QApplication::beep();
    }
}

void LazySound::playWave(const std::string& path)
{
    if (Sound* real = sound()) {
        real->playWave(path);
    } else {
        QApplication::beep();
    }
}

} // namespace horaloom
