// A wave file read in blocks through libsndfile: RIFF WAVE (plain and EXTENSIBLE) and RF64, in
// any encoding libsndfile decodes there, the files the Windows sound call plays.
#pragma once

#include "soundsource.h"
#include "wavelayout.h"

#include <memory>
#include <string>
#include <vector>

struct sf_private_tag;

namespace horaloom {

class WaveFile : public SoundSource {
public:
    // The file ready to play, or null when it cannot be played: missing, unreadable, not a
    // regular file, not a wave file, or holding no sound. Never blocks on a FIFO or a device.
    static std::unique_ptr<WaveFile> open(const std::string& path);
    ~WaveFile() override;
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;

    AudioFormat format() const override;
    std::size_t read(float* into, std::size_t frames) override;
    bool failed() const override { return m_failed; }

private:
    WaveFile(int descriptor, sf_private_tag* file, int channels, int rate, bool cutShort,
             std::uint64_t frames);

    int m_descriptor;
    sf_private_tag* m_file;
    int m_channels;
    int m_rate;
    bool m_cutShort;
    std::uint64_t m_framesLeft;
    bool m_failed = false;
    std::vector<float> m_wide; // a block of a file with more channels than the server takes
};

} // namespace horaloom
