// The built-in beep: a short 880 Hz tone, carried as code so that no sound backend needs a
// resource system to find it.
#pragma once

#include <cstdint>
#include <vector>

namespace horaloom {

class BeepTone {
public:
    static constexpr int Rate = 22050;
    static constexpr int Frames = Rate * 180 / 1000; // 180 ms, mono

    // The tone as 16-bit mono samples at Rate.
    static std::vector<std::int16_t> samples();
    // The same as a complete RIFF WAVE file image (plain 16-bit PCM), for calls that take one.
    static std::vector<unsigned char> waveImage();
};

} // namespace horaloom
