// Sound on Linux: wave files decoded by libsndfile and the built-in beep, played on the
// PulseAudio server (PipeWire serves the same API). Two voices, so a beep never cuts a wave
// file that is still playing. Knows no Qt: the bell for a desktop without a sound server is
// handed in.
#pragma once

#include "audiooutput.h"
#include "sound.h"
#include "voice.h"

#include <functional>
#include <memory>
#include <string>

namespace horaloom {

class PulseSound : public Sound {
public:
    // Makes the output of a voice; the argument is the voice's stream name.
    using OutputFactory = std::function<std::unique_ptr<AudioOutput>(const std::string&)>;

    // `bell` sounds when no sound server can be reached; it is called on a sound thread.
    explicit PulseSound(std::function<void()> bell);
    PulseSound(std::function<void()> bell, const OutputFactory& outputs);
    // Waits about 100 ms at most, whatever the sound server does.
    ~PulseSound() override;
    PulseSound(const PulseSound&) = delete;
    PulseSound& operator=(const PulseSound&) = delete;

    void beep() override;
    void playWave(const std::string& path) override;

private:
    std::function<void()> m_bell;
    Voice m_beep; // before m_wave: the wave voice falls back to it
    Voice m_wave;
};

} // namespace horaloom
