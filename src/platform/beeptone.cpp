#include "beeptone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace horaloom {

namespace {
constexpr double Pitch = 880.0;
constexpr double Amplitude = 0.6;
// A short rise and a longer fall: a tone that starts or stops at full level clicks.
constexpr int RiseFrames = BeepTone::Rate * 5 / 1000;
constexpr int FallFrames = BeepTone::Rate * 27 / 1000;

void putLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}
} // namespace

std::vector<std::int16_t> BeepTone::samples()
{
    std::vector<std::int16_t> out(Frames);
    for (int i = 0; i < Frames; ++i) {
        const double envelope = std::min({1.0, static_cast<double>(i) / RiseFrames,
                                          static_cast<double>(Frames - i) / FallFrames});
        const double value =
            Amplitude * envelope * std::sin(2.0 * std::numbers::pi * Pitch * i / Rate);
        out[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(value * 32767.0));
    }
    return out;
}

std::vector<unsigned char> BeepTone::waveImage()
{
    const std::vector<std::int16_t> pcm = samples();
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    for (char c : {'R', 'I', 'F', 'F'}) {
        out.push_back(static_cast<unsigned char>(c));
    }
    putLittleEndian(out, 36 + dataBytes, 4);
    for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) {
        out.push_back(static_cast<unsigned char>(c));
    }
    putLittleEndian(out, 16, 4);       // fmt chunk size
    putLittleEndian(out, 1, 2);        // PCM
    putLittleEndian(out, 1, 2);        // mono
    putLittleEndian(out, Rate, 4);     // frames a second
    putLittleEndian(out, Rate * 2, 4); // bytes a second
    putLittleEndian(out, 2, 2);        // bytes a frame
    putLittleEndian(out, 16, 2);       // bits a sample
    for (char c : {'d', 'a', 't', 'a'}) {
        out.push_back(static_cast<unsigned char>(c));
    }
    putLittleEndian(out, dataBytes, 4);
    for (std::int16_t sample : pcm) {
        putLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    }
    return out;
}

} // namespace horaloom
