#include "beepsource.h"

#include "beeptone.h"

#include <algorithm>
#include <vector>

namespace horaloom {

namespace {
const std::vector<float>& tone()
{
    static const std::vector<float> samples = [] {
        const std::vector<std::int16_t> pcm = BeepTone::samples();
        std::vector<float> out(pcm.size());
        std::transform(pcm.begin(), pcm.end(), out.begin(),
                       [](std::int16_t s) { return static_cast<float>(s) / 32768.0F; });
        return out;
    }();
    return samples;
}
} // namespace

AudioFormat BeepSource::format() const
{
    return {BeepTone::Rate, 1};
}

std::size_t BeepSource::read(float* into, std::size_t frames)
{
    const std::vector<float>& samples = tone();
    const std::size_t count = std::min(frames, samples.size() - m_position);
    std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(m_position), count, into);
    m_position += count;
    return count;
}

} // namespace horaloom
