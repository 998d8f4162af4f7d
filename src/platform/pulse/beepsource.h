// The built-in beep as a sound source.
#pragma once

#include "soundsource.h"

namespace horaloom {

class BeepSource : public SoundSource {
public:
    AudioFormat format() const override;
    std::size_t read(float* into, std::size_t frames) override;
    bool failed() const override { return false; }

private:
    std::size_t m_position = 0;
};

} // namespace horaloom
