// Sound loaded on first use. Qt Multimedia brings two dozen libraries with it; a timer that
// may never sound should not carry them from the start.
#pragma once

#include "sound.h"

#include <QStringList>
#include <memory>

namespace horaloom {

class LazySound : public Sound {
public:
    // Directories searched for the sound module, in order.
    explicit LazySound(QStringList moduleDirectories);
    ~LazySound() override;

    void beep() override;
    void playWave(const std::string& path) override;

    // Whether the module has been loaded (false until the first sound, and when it failed).
    bool loaded() const { return m_sound != nullptr; }

private:
    Sound* sound();

    QStringList m_directories;
    std::unique_ptr<Sound> m_sound;
    bool m_tried = false;
};

} // namespace horaloom
