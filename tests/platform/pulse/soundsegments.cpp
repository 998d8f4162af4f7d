// Finds the sounds in a recording: raw signed 16-bit mono samples on standard input. Prints a
// line a sound: "start_ms length_ms frequency_hz tail_frequency_hz", the tail being its last
// 120 ms (so that a sound followed at once by the beep shows the beep there).
//
//   horaloom_sound_segments RATE [GAP_MS]
//
// A sound is a run of 5 ms windows louder than a threshold; runs less than GAP_MS apart
// (default 40) are one sound. The frequency counts rising zero crossings, with hysteresis so
// that noise around zero does not count.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

constexpr double Threshold = 0.01; // RMS of full scale
std::vector<double> samples;
std::size_t rate = 0;

double frequency(std::size_t begin, std::size_t end)
{
    double peak = 0;
    for (std::size_t i = begin; i < end; ++i) {
        peak = std::max(peak, std::abs(samples[i]));
    }
    bool low = true;
    std::size_t first = 0, last = 0;
    long crossings = -1;
    for (std::size_t i = begin; i < end; ++i) {
        if (low && samples[i] > peak * 0.2) {
            low = false;
            last = i;
            first = ++crossings == 0 ? i : first;
        } else if (!low && samples[i] < -peak * 0.2) {
            low = true;
        }
    }
    return crossings <= 0
               ? 0
               : static_cast<double>(crossings * rate) / static_cast<double>(last - first);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s RATE [GAP_MS] < samples.s16\n", argv[0]);
        return 2;
    }
    rate = std::strtoul(argv[1], nullptr, 10);
    const auto gap = static_cast<std::size_t>((argc > 2 ? std::atof(argv[2]) : 40.0) * rate / 1000);
    for (std::int16_t sample; std::fread(&sample, 2, 1, stdin) == 1;) {
        samples.push_back(sample / 32768.0);
    }
    const std::size_t window = rate / 200;
    std::vector<std::pair<std::size_t, std::size_t>> sounds;
    for (std::size_t start = 0; start + window <= samples.size(); start += window) {
        const auto from = samples.begin() + static_cast<std::ptrdiff_t>(start);
        if (std::sqrt(std::inner_product(from, from + window, from, 0.0) / window) < Threshold) {
            continue;
        }
        // The exact edges: the first and last sample above the threshold in the window.
        std::size_t begin = start + window, end = start;
        for (std::size_t i = start; i < start + window; ++i) {
            if (std::abs(samples[i]) >= Threshold) {
                begin = std::min(begin, i);
                end = i + 1;
            }
        }
        if (!sounds.empty() && begin <= sounds.back().second + gap) {
            sounds.back().second = end;
        } else {
            sounds.emplace_back(begin, end);
        }
    }
    const auto ms = [](std::size_t n) {
        return 1000.0 * static_cast<double>(n) / static_cast<double>(rate);
    };
    for (const auto& [begin, end] : sounds) {
        std::printf("%.1f %.1f %.1f %.1f\n", ms(begin), ms(end - begin), frequency(begin, end),
                    frequency(end - std::min(end - begin, rate * 120 / 1000), end));
    }
    return 0;
}
