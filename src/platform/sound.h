// Sounds: the short beep and a wave file played once.
#pragma once

#include <string>

namespace horaloom {

class Sound {
public:
    virtual ~Sound() = default;
    // The default beep; audible on a desktop whose X bell is silent.
    virtual void beep() = 0;
    // Plays once, asynchronously; replaces a sound still playing; a file that cannot be played
    // gives the default sound instead, silently. The path is the file's name as the system
    // takes it: bytes, not necessarily UTF-8.
    virtual void playWave(const std::string& path) = 0;
};

} // namespace horaloom
