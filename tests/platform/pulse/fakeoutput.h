// A sound-server stream that records what a voice does with it, and can refuse, lose the
// server part way, or hang as a stalled server would.
#pragma once

#include "audiooutput.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace horaloom::testing {

struct OutputLog {
    // How the fake server behaves.
    AudioOutput::Opened answer = AudioOutput::Opened::Yes;
    std::optional<std::size_t> loseServerAfter; // frames into the next sound
    bool hang = false;                          // writes never return
    std::chrono::milliseconds writeTime{0};     // each write takes this long

    // What happened: "open RATE/CHANNELS", "drain FRAMES", "close FRAMES", and what the test
    // adds itself (the reactions).
    std::vector<std::string> events;

    void add(std::string event)
    {
        const std::lock_guard lock(mutex);
        events.push_back(std::move(event));
        changed.notify_all();
    }
    void clear()
    {
        const std::lock_guard lock(mutex);
        events.clear();
    }
    std::vector<std::string> snapshot()
    {
        const std::lock_guard lock(mutex);
        return events;
    }
    // Waits until an event counts `count` times; false after five seconds.
    bool waitFor(const std::string& event, std::size_t count = 1)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), [&] {
            return static_cast<std::size_t>(std::count(events.begin(), events.end(), event)) >=
                   count;
        });
    }

    std::mutex mutex;
    std::condition_variable changed;
};

class FakeOutput : public AudioOutput {
public:
    explicit FakeOutput(std::shared_ptr<OutputLog> log) : m_log(std::move(log)) {}

    Opened open(const AudioFormat& format) override
    {
        m_frames = 0;
        m_log->add("open " + std::to_string(format.rate) + "/" + std::to_string(format.channels));
        return m_log->answer;
    }
    bool write(const float*, std::size_t frames) override
    {
        if (m_log->hang) {
            std::unique_lock lock(m_hangMutex);
            m_never.wait(lock, [] { return false; });
        }
        std::this_thread::sleep_for(m_log->writeTime);
        if (m_log->loseServerAfter && m_frames + frames > *m_log->loseServerAfter) {
            m_log->loseServerAfter.reset();
            return false;
        }
        m_frames += frames;
        return true;
    }
    bool drain() override
    {
        m_log->add("drain " + std::to_string(m_frames));
        return true;
    }
    void close() override { m_log->add("close " + std::to_string(m_frames)); }

private:
    std::shared_ptr<OutputLog> m_log;
    std::size_t m_frames = 0;
    std::mutex m_hangMutex;
    std::condition_variable m_never;
};

} // namespace horaloom::testing
