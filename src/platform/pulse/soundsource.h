// A sound to be played: float samples, interleaved, read in blocks on the sound thread.
#pragma once

#include "audioformat.h"

#include <cstddef>

namespace horaloom {

class SoundSource {
public:
    virtual ~SoundSource() = default;
    virtual AudioFormat format() const = 0;
    // Fills up to `frames` frames; 0 at the end (or at an error).
    virtual std::size_t read(float* into, std::size_t frames) = 0;
    // After the end: whether the sound broke off (a decode error, a file cut short), so that
    // the default sound should follow what was heard.
    virtual bool failed() const = 0;
};

} // namespace horaloom
