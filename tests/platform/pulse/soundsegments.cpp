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
#include <vector>

namespace {

constexpr double Threshold = 0.01; // RMS of full scale

double frequency(const std::vector<double>& samples, std::size_t begin, std::size_t end, int rate)
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
               : static_cast<double>(crossings) * rate / static_cast<double>(last - first);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s RATE [GAP_MS] < samples.s16\n", argv[0]);
        return 2;
    }
    const int rate = std::atoi(argv[1]);
    const auto gap = static_cast<std::size_t>((argc > 2 ? std::atof(argv[2]) : 40.0) * rate / 1000);
    std::vector<double> samples;
    std::int16_t buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 2, 4096, stdin)) > 0;) {
        for (std::size_t i = 0; i < got; ++i) {
            samples.push_back(buffer[i] / 32768.0);
        }
    }
    const auto window = static_cast<std::size_t>(rate) / 200;
    std::vector<std::pair<std::size_t, std::size_t>> sounds;
    for (std::size_t start = 0; start + window <= samples.size(); start += window) {
        double sum = 0;
        for (std::size_t i = start; i < start + window; ++i) {
            sum += samples[i] * samples[i];
        }
        if (std::sqrt(sum / static_cast<double>(window)) < Threshold) {
            continue;
        }
        // The exact edges: the first and last sample above the threshold in the window.
        std::size_t begin = start, end = start + window;
        while (begin < end && std::abs(samples[begin]) < Threshold) {
            ++begin;
        }
        while (end > begin && std::abs(samples[end - 1]) < Threshold) {
            --end;
        }
        if (!sounds.empty() && begin <= sounds.back().second + gap) {
            sounds.back().second = end;
        } else {
            sounds.emplace_back(begin, end);
        }
    }
    const auto tail = static_cast<std::size_t>(rate) * 120 / 1000;
    for (const auto& [begin, end] : sounds) {
        const auto ms = [rate](std::size_t n) { return 1000.0 * static_cast<double>(n) / rate; };
        std::printf("%.1f %.1f %.1f %.1f\n", ms(begin), ms(end - begin),
                    frequency(samples, begin, end, rate),
                    frequency(samples, std::max(begin, end - std::min(end, tail)), end, rate));
    }
    return 0;
}
