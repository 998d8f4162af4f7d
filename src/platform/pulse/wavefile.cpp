#include "wavefile.h"

#include <algorithm>
#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace horaloom {

namespace {

// PulseAudio streams carry at most 32 channels; wider files are mixed down to one.
constexpr int MaxChannels = 32;

bool isWaveContainer(int format)
{
    const int major = format & SF_FORMAT_TYPEMASK;
    return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
}

// Encodings in blocks whose last block is padded out: their fact chunk tells the true length.
bool isBlockCoded(int format)
{
    const int subtype = format & SF_FORMAT_SUBMASK;
    return subtype == SF_FORMAT_IMA_ADPCM || subtype == SF_FORMAT_MS_ADPCM ||
           subtype == SF_FORMAT_GSM610;
}

// Opens a regular file for reading. O_NONBLOCK: a FIFO put in the file's place after the
// stat() must not hold the sound thread until some writer comes along.
int openRegularFile(const std::string& path, struct stat& status)
{
    if (path.empty() || ::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::unique_ptr<WaveFile> WaveFile::open(const std::string& path)
{
    struct stat status {};
    const int fd = openRegularFile(path, status);
    if (fd < 0) {
        return nullptr;
    }
    const auto layout = WaveLayout::find(
        [fd](std::uint64_t offset, unsigned char* into, std::size_t bytes) -> std::size_t {
            const ssize_t got = ::pread(fd, into, bytes, static_cast<off_t>(offset));
            return got > 0 ? static_cast<std::size_t>(got) : 0;
        });
    SF_INFO info{};
    // Not handing the descriptor over: whether libsndfile closes it on a failed open differs
    // between versions.
    SNDFILE* file = layout ? sf_open_fd(fd, SFM_READ, &info, SF_FALSE) : nullptr;
    if (file == nullptr || !isWaveContainer(info.format) || info.frames <= 0 ||
        info.channels <= 0 || info.samplerate <= 0) {
        if (file != nullptr) {
            sf_close(file);
        }
        ::close(fd);
        return nullptr;
    }
    const bool cutShort =
        layout->dataOffset + layout->dataSize > static_cast<std::uint64_t>(status.st_size);
    auto frames = static_cast<std::uint64_t>(info.frames);
    if (isBlockCoded(info.format) && layout->factFrames && *layout->factFrames > 0) {
        frames = std::min<std::uint64_t>(frames, *layout->factFrames);
    }
    return std::unique_ptr<WaveFile>(
        new WaveFile(fd, file, info.channels, info.samplerate, cutShort, frames));
}

WaveFile::WaveFile(int descriptor, SNDFILE* file, int channels, int rate, bool cutShort,
                   std::uint64_t frames)
    : m_descriptor(descriptor), m_file(file), m_channels(channels), m_rate(rate),
      m_cutShort(cutShort), m_framesLeft(frames)
{
}

WaveFile::~WaveFile()
{
    sf_close(m_file);
    ::close(m_descriptor);
}

AudioFormat WaveFile::format() const
{
    return {m_rate, m_channels > MaxChannels ? 1 : m_channels};
}

std::size_t WaveFile::read(float* into, std::size_t frames)
{
    if (m_framesLeft == 0) {
        m_failed = m_cutShort; // data that stopped before the length the file declares
        return 0;
    }
    frames = static_cast<std::size_t>(std::min<std::uint64_t>(frames, m_framesLeft));
    sf_count_t got = 0;
    if (m_channels <= MaxChannels) {
        got = sf_readf_float(m_file, into, static_cast<sf_count_t>(frames));
    } else {
        const auto width = static_cast<std::size_t>(m_channels);
        m_wide.resize(frames * width);
        got = sf_readf_float(m_file, m_wide.data(), static_cast<sf_count_t>(frames));
        for (sf_count_t frame = 0; frame < got; ++frame) {
            float sum = 0;
            for (std::size_t c = 0; c < width; ++c) {
                sum += m_wide[static_cast<std::size_t>(frame) * width + c];
            }
            into[frame] = sum / static_cast<float>(width);
        }
    }
    if (got <= 0) {
        // The end: a decoder error, or data that stopped before the length the file declares.
        m_failed = sf_error(m_file) != SF_ERR_NO_ERROR || m_cutShort;
        return 0;
    }
    m_framesLeft -= static_cast<std::uint64_t>(got);
    return static_cast<std::size_t>(got);
}

} // namespace horaloom
