// Where a voice sends its samples: one stream on the sound server, opened for each sound.
// The real one is PulseOutput; tests put a fake in its place.
#pragma once

#include "audioformat.h"

#include <cstddef>

namespace horaloom {

class AudioOutput {
public:
    enum class Opened {
        Yes,
        NoServer,  // nothing to play on: the caller falls back to the bell
        BadFormat, // the server takes no such stream: the sound cannot be played
    };

    virtual ~AudioOutput() = default;
    virtual Opened open(const AudioFormat& format) = 0;
    // Blocks while the server's buffer is full; false when the server has gone.
    virtual bool write(const float* samples, std::size_t frames) = 0;
    // Blocks until everything written has been played; false when the server has gone.
    virtual bool drain() = 0;
    // Ends the stream; what is still buffered is dropped.
    virtual void close() = 0;
};

} // namespace horaloom
