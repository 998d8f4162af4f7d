#include "pulseoutput.h"

#include <pulse/channelmap.h>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <pulse/timeval.h>

namespace horaloom {

namespace {
// The server holds this much ahead of the sink: enough that a busy machine does not starve
// the stream, short enough that the tail drains quickly and a replaced sound stops at once.
constexpr pa_usec_t BufferedUsec = 100 * PA_USEC_PER_MSEC;
} // namespace

PulseOutput::PulseOutput(std::string streamName) : m_streamName(std::move(streamName)) {}

PulseOutput::~PulseOutput()
{
    close();
}

AudioOutput::Opened PulseOutput::open(const AudioFormat& format)
{
    close();
    pa_sample_spec sampleFormat{PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(format.rate),
                                static_cast<std::uint8_t>(format.channels)};
    if (format.rate <= 0 || format.channels <= 0 ||
        format.channels > static_cast<int>(PA_CHANNELS_MAX) ||
        !pa_sample_spec_valid(&sampleFormat)) {
        return Opened::BadFormat;
    }
    // Wave files order their channels as WAVE_FORMAT_EXTENSIBLE does; the server mixes them
    // down to whatever the sink has.
    pa_channel_map map{};
    if (pa_channel_map_init_extend(&map, sampleFormat.channels, PA_CHANNEL_MAP_WAVEEX) == nullptr) {
        return Opened::BadFormat;
    }
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(BufferedUsec, &sampleFormat));
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    m_stream = pa_simple_new(nullptr, "Horaloom", PA_STREAM_PLAYBACK, nullptr, m_streamName.c_str(),
                             &sampleFormat, &map, &buffer, &error);
    if (m_stream == nullptr) {
        return error == PA_ERR_INVALID || error == PA_ERR_NOTSUPPORTED ? Opened::BadFormat
                                                                       : Opened::NoServer;
    }
    m_channels = format.channels;
    return Opened::Yes;
}

bool PulseOutput::write(const float* samples, std::size_t frames)
{
    int error = 0;
    return m_stream != nullptr &&
           pa_simple_write(m_stream, samples,
                           frames * static_cast<std::size_t>(m_channels) * sizeof(float),
                           &error) == 0;
}

bool PulseOutput::drain()
{
    int error = 0;
    return m_stream != nullptr && pa_simple_drain(m_stream, &error) == 0;
}

void PulseOutput::close()
{
    if (m_stream != nullptr) {
        pa_simple_free(m_stream);
        m_stream = nullptr;
    }
}

} // namespace horaloom
