// Sound on Qt Multimedia: an audible beep and wave files played once.
#pragma once

#include "sound.h"

#include <QObject>
#include <memory>

class QSoundEffect;

namespace horaloom {

class QtSound : public QObject, public Sound {
    Q_OBJECT
public:
    QtSound();
    ~QtSound() override;

    void beep() override;
    void playWave(const std::string& path) override;

private:
    bool audioAvailable() const;

    // Two effects: the beep never cuts a wave file short, and a wave file replaces a wave file.
    std::unique_ptr<QSoundEffect> m_beep;
    std::unique_ptr<QSoundEffect> m_wave;
};

} // namespace horaloom
