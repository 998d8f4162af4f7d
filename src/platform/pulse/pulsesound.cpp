#include "pulsesound.h"

#include "beepsource.h"
#include "pulseoutput.h"
#include "wavefile.h"

namespace horaloom {

namespace {
constexpr auto StopWait = std::chrono::milliseconds(100);

std::unique_ptr<AudioOutput> pulseOutput(const std::string& name)
{
    return std::make_unique<PulseOutput>(name);
}
} // namespace

PulseSound::PulseSound(std::function<void()> bell) : PulseSound(std::move(bell), pulseOutput) {}

PulseSound::PulseSound(std::function<void()> bell, const OutputFactory& outputs)
    : m_bell(std::move(bell)), m_beep(outputs("Beep"), {.cannotPlay = [this] { m_bell(); },
                                                        .noServer = [this] { m_bell(); }}),
      // What cannot be played gives the default beep; without a server that would fail too.
      m_wave(outputs("Alarm"), {.cannotPlay = [this] { beep(); }, .noServer = [this] { m_bell(); }})
{
}

PulseSound::~PulseSound()
{
    // The wave voice first: once it has stopped, nothing asks the beep voice for more.
    m_wave.requestStop();
    m_beep.requestStop();
    const auto deadline = std::chrono::steady_clock::now() + StopWait;
    m_wave.finish(deadline);
    m_beep.finish(deadline);
}

void PulseSound::beep()
{
    m_beep.play([] { return std::make_unique<BeepSource>(); });
}

void PulseSound::playWave(const std::string& path)
{
    m_wave.play([path]() -> std::unique_ptr<SoundSource> { return WaveFile::open(path); });
}

} // namespace horaloom
