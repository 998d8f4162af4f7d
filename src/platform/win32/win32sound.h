// Sound on Windows: the system's own call, PlaySoundW, for the wave file and for the built-in
// beep. Knows no Qt, so that a native front-end can use it too.
#pragma once

#include "sound.h"

#include <string>
#include <vector>

namespace horaloom {

class Win32Sound : public Sound {
public:
    Win32Sound();

    void beep() override;
    // Asynchronous; a file the system cannot play gives the system's default sound.
    void playWave(const std::string& path) override;

    // A file name's bytes in the ANSI code page, the way the system takes a narrow name, as
    // the wide string the wide call needs.
    static std::wstring widePath(const std::string& bytes);

private:
    // The beep as a wave file in memory; PlaySoundW reads it while it plays.
    std::vector<unsigned char> m_beep;
};

} // namespace horaloom
