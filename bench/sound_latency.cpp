// Sound as a user meets it: how long from the request (the alarm) to the first sample heard on
// the sink, and how long the request holds the calling thread. Goes through LazySound and the
// sound module, exactly as Horaloom does, and listens to the sink's monitor itself.
//
//   horaloom_bench_sound --module-dir DIR --monitor SOURCE --wave FILE --runs N
//
// Prints "first_call_us", "call_us_max", "beep_ms" and "wave_ms" lines: the latencies each as
// a list of milliseconds, one a run.
#include "lazysound.h"

#include <QCoreApplication>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Rate = 48000;
constexpr int BlockFrames = Rate / 200; // 5 ms
constexpr double Threshold = 0.01;

// Listens to a source and remembers when the last sample above the threshold was captured.
class Listener {
public:
    explicit Listener(const std::string& source)
    {
        const pa_sample_spec sampleFormat{PA_SAMPLE_S16LE, Rate, 1};
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.fragsize = BlockFrames * 2;
        int error = 0;
        m_stream = pa_simple_new(nullptr, "horaloom-bench", PA_STREAM_RECORD, source.c_str(),
                                 "listener", &sampleFormat, nullptr, &attr, &error);
        if (m_stream == nullptr) {
            std::fprintf(stderr, "cannot record %s: %s\n", source.c_str(), pa_strerror(error));
            std::exit(1);
        }
        m_thread = std::thread([this] { run(); });
    }
    ~Listener()
    {
        m_stop = true;
        m_thread.join();
        pa_simple_free(m_stream);
    }
    // The capture time of the first loud sample after `since`, waiting up to two seconds.
    std::optional<Clock::time_point> firstLoudAfter(Clock::time_point since)
    {
        const auto deadline = Clock::now() + std::chrono::seconds(2);
        while (Clock::now() < deadline) {
            {
                const std::lock_guard lock(m_mutex);
                for (Clock::time_point t : m_loud) {
                    if (t >= since) {
                        return t;
                    }
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return std::nullopt;
    }
    void forget()
    {
        const std::lock_guard lock(m_mutex);
        m_loud.clear();
    }

private:
    void run()
    {
        std::vector<std::int16_t> block(BlockFrames);
        int error = 0;
        while (!m_stop) {
            if (pa_simple_read(m_stream, block.data(), block.size() * 2, &error) < 0) {
                return;
            }
            const Clock::time_point read = Clock::now();
            const pa_usec_t buffered = pa_simple_get_latency(m_stream, &error);
            for (std::size_t i = 0; i < block.size(); ++i) {
                if (std::abs(block[i] / 32768.0) < Threshold) {
                    continue;
                }
                // Sample i was captured this long before the read returned.
                const auto before = std::chrono::microseconds(
                    static_cast<long long>((block.size() - i) * 1'000'000 / Rate + buffered));
                const std::lock_guard lock(m_mutex);
                m_loud.push_back(read - before);
                break;
            }
        }
    }

    pa_simple* m_stream = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<Clock::time_point> m_loud;
};

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::string moduleDir, monitor, wave;
    int runs = 10;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--module-dir") {
            moduleDir = argv[i + 1];
        } else if (flag == "--monitor") {
            monitor = argv[i + 1];
        } else if (flag == "--wave") {
            wave = argv[i + 1];
        } else if (flag == "--runs") {
            runs = std::atoi(argv[i + 1]);
        }
    }
    Listener listener(monitor);
    // The null sink serves a new low-latency client properly only after up to two seconds.
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));

    horaloom::LazySound sound({QString::fromStdString(moduleDir)});
    double firstCall = 0;
    double callMax = 0;
    std::vector<double> beep, played;
    for (int run = 0; run < 2 * runs; ++run) {
        listener.forget();
        const bool isBeep = run % 2 == 0;
        const Clock::time_point asked = Clock::now();
        isBeep ? sound.beep() : sound.playWave(wave);
        const double call = ms(Clock::now() - asked) * 1000;
        (run == 0 ? firstCall : callMax) = std::max(run == 0 ? firstCall : callMax, call);
        const auto heard = listener.firstLoudAfter(asked);
        if (heard && run > 0) { // the first includes loading the module: reported apart
            (isBeep ? beep : played).push_back(ms(*heard - asked));
        } else if (heard) {
            std::printf("first_sound_ms %.1f\n", ms(*heard - asked));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(isBeep ? 600 : 1200));
    }
    std::printf("first_call_us %.0f\ncall_us_max %.0f\n", firstCall, callMax);
    for (auto [name, values] : {std::pair{"beep_ms", &beep}, {"wave_ms", &played}}) {
        std::printf("%s", name);
        for (double v : *values) {
            std::printf(" %.1f", v);
        }
        std::printf("\n");
    }
    return 0;
}
