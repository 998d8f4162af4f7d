// Sounds: the short beep and a wave file played once.
#pragma once

#include <QString>

namespace horaloom {

class Sound {
public:
    virtual ~Sound() = default;
    // The default beep; audible on a desktop whose X bell is silent.
    virtual void beep() = 0;
    // Plays once, asynchronously; replaces a sound still playing; a file that cannot be played
    // gives the default sound instead, silently.
    virtual void playWave(const QString& path) = 0;
};

} // namespace horaloom
