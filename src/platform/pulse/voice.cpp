#include "voice.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

namespace horaloom {

namespace {
// Blocks of about 20 ms: a replacing request is noticed within one block.
constexpr int BlocksPerSecond = 50;
constexpr auto StopWait = std::chrono::milliseconds(100);
} // namespace

struct Voice::Shared {
    std::mutex mutex;
    std::condition_variable wake;     // a request, or stop
    std::condition_variable finished; // the thread has ended
    std::optional<SourceFactory> pending;
    bool stop = false;
    bool done = false;
    std::unique_ptr<AudioOutput> output;
    Reactions reactions;

    bool interrupted()
    {
        const std::lock_guard lock(mutex);
        return stop || pending.has_value();
    }
    // Under the lock, so that requestStop() returning means no reaction runs any more.
    void react(const std::function<void()>& reaction)
    {
        const std::lock_guard lock(mutex);
        if (!stop && !pending && reaction) {
            reaction();
        }
    }
};

Voice::Voice(std::unique_ptr<AudioOutput> output, Reactions reactions)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->output = std::move(output);
    m_shared->reactions = std::move(reactions);
}

Voice::~Voice()
{
    requestStop();
    finish(std::chrono::steady_clock::now() + StopWait);
}

void Voice::play(SourceFactory source)
{
    const std::lock_guard lock(m_shared->mutex);
    if (m_shared->stop) {
        return;
    }
    m_shared->pending = std::move(source);
    if (!m_thread.joinable()) {
        m_thread = std::thread(run, m_shared);
    }
    m_shared->wake.notify_one();
}

void Voice::requestStop()
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->stop = true;
    m_shared->wake.notify_one();
}

void Voice::finish(std::chrono::steady_clock::time_point deadline)
{
    if (!m_thread.joinable()) {
        return;
    }
    std::unique_lock lock(m_shared->mutex);
    const bool ended =
        m_shared->finished.wait_until(lock, deadline, [this] { return m_shared->done; });
    lock.unlock();
    if (ended) {
        m_thread.join();
    } else {
        m_thread.detach();
    }
}

void Voice::run(const std::shared_ptr<Shared>& shared)
{
    for (;;) {
        SourceFactory make;
        {
            std::unique_lock lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->stop || shared->pending.has_value(); });
            if (shared->stop) {
                break;
            }
            make = std::move(*shared->pending);
            shared->pending.reset();
        }
        playOne(*shared, make);
    }
    const std::lock_guard lock(shared->mutex);
    shared->done = true;
    shared->finished.notify_all();
}

void Voice::playOne(Shared& shared, const SourceFactory& make)
{
    const std::unique_ptr<SoundSource> source = make();
    if (!source) {
        shared.react(shared.reactions.cannotPlay);
        return;
    }
    const AudioFormat format = source->format();
    switch (shared.output->open(format)) {
    case AudioOutput::Opened::Yes:
        break;
    case AudioOutput::Opened::BadFormat:
        shared.react(shared.reactions.cannotPlay);
        return;
    case AudioOutput::Opened::NoServer:
        shared.react(shared.reactions.noServer);
        return;
    }
    const std::size_t blockFrames = static_cast<std::size_t>(format.rate / BlocksPerSecond) + 1;
    std::vector<float> block(blockFrames * static_cast<std::size_t>(format.channels));
    bool heard = true;
    for (;;) {
        if (shared.interrupted()) {
            heard = false; // replaced, or the program ends: the rest is dropped with the stream
            break;
        }
        const std::size_t frames = source->read(block.data(), blockFrames);
        if (frames == 0) {
            break;
        }
        if (!shared.output->write(block.data(), frames)) {
            heard = false; // the server went away: give this sound up, reconnect next time
            break;
        }
    }
    // The tail: what the server still holds is played before the stream ends.
    if (heard && !shared.output->drain()) {
        heard = false;
    }
    shared.output->close();
    if (heard && source->failed()) {
        shared.react(shared.reactions.cannotPlay);
    }
}

} // namespace horaloom
