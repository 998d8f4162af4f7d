// Finds the sounds in a recording: raw signed 16-bit mono samples on standard input. Prints one
// line a sound: "start_ms length_ms frequency_hz tail_frequency_hz", the last over its final
// 120 ms (so that a sound followed at once by the beep shows the beep there).
//
//   horaloom_sound_segments RATE [GAP_MS]
//
// A sound is a run of 5 ms windows louder than a threshold; runs apart by less than GAP_MS
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

struct Segment {
    std::size_t begin;
    std::size_t end;
};

double frequency(const std::vector<double>& samples, const Segment& segment, int rate)
{
    double peak = 0;
    for (std::size_t i = segment.begin; i < segment.end; ++i) {
        peak = std::max(peak, std::abs(samples[i]));
    }
    const double band = peak * 0.2;
    bool low = true;
    std::size_t first = 0;
    std::size_t last = 0;
    long crossings = -1;
    for (std::size_t i = segment.begin; i < segment.end; ++i) {
        if (low && samples[i] > band) {
            low = false;
            if (++crossings == 0) {
                first = i;
            }
            last = i;
        } else if (!low && samples[i] < -band) {
            low = true;
        }
    }
    if (crossings <= 0) {
        return 0;
    }
    return static_cast<double>(crossings) * rate / static_cast<double>(last - first);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s RATE [GAP_MS] < samples.s16\n", argv[0]);
        return 2;
    }
    const int rate = std::atoi(argv[1]);
    const double gapMs = argc > 2 ? std::atof(argv[2]) : 40.0;
    std::vector<double> samples;
    std::int16_t buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, sizeof buffer[0], 4096, stdin)) > 0) {
        for (std::size_t i = 0; i < got; ++i) {
            samples.push_back(buffer[i] / 32768.0);
        }
    }
    const std::size_t window = static_cast<std::size_t>(rate) / 200;
    const auto gap = static_cast<std::size_t>(gapMs * rate / 1000);
    std::vector<Segment> segments;
    for (std::size_t start = 0; start + window <= samples.size(); start += window) {
        double sum = 0;
        for (std::size_t i = start; i < start + window; ++i) {
            sum += samples[i] * samples[i];
        }
        if (std::sqrt(sum / static_cast<double>(window)) < Threshold) {
            continue;
        }
        // The exact edges: the first and last sample above the threshold in the window.
        std::size_t begin = start;
        while (begin < start + window && std::abs(samples[begin]) < Threshold) {
            ++begin;
        }
        std::size_t end = start + window;
        while (end > begin && std::abs(samples[end - 1]) < Threshold) {
            --end;
        }
        if (!segments.empty() && begin <= segments.back().end + gap) {
            segments.back().end = end;
        } else {
            segments.push_back({begin, end});
        }
    }
    const auto tailLength = static_cast<std::size_t>(rate) * 120 / 1000;
    for (const Segment& segment : segments) {
        const Segment tail{std::max(segment.begin, segment.end - std::min(segment.end, tailLength)),
                           segment.end};
        std::printf("%.1f %.1f %.1f %.1f\n", 1000.0 * static_cast<double>(segment.begin) / rate,
                    1000.0 * static_cast<double>(segment.end - segment.begin) / rate,
                    frequency(samples, segment, rate), frequency(samples, tail, rate));
    }
    return 0;
}
