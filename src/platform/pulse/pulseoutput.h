// A playback stream on the PulseAudio server (or PipeWire's PulseAudio layer) through the
// simple API: blocking calls, made only on a voice's own thread.
#pragma once

#include "audiooutput.h"

#include <string>

struct pa_simple;

namespace horaloom {

class PulseOutput : public AudioOutput {
public:
    explicit PulseOutput(std::string streamName);
    ~PulseOutput() override;
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    Opened open(const AudioFormat& format) override;
    bool write(const float* samples, std::size_t frames) override;
    bool drain() override;
    void close() override;

private:
    std::string m_streamName;
    pa_simple* m_stream = nullptr;
    int m_channels = 0;
};

} // namespace horaloom
