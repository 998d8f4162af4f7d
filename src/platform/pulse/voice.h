// One voice: a worker thread that plays one sound at a time, streamed in small blocks. The
// caller only posts a request and never waits; a new request replaces the sound still
// playing. The thread starts with the first request.
#pragma once

#include "audiooutput.h"
#include "soundsource.h"

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace horaloom {

class Voice {
public:
    // Made on the voice's thread, so that opening a file never holds up the caller; null when
    // the sound cannot be played.
    using SourceFactory = std::function<std::unique_ptr<SoundSource>()>;
    struct Reactions {
        std::function<void()> cannotPlay; // no source, a bad format, or the sound broke off
        std::function<void()> noServer;   // no sound server to play on
    };

    Voice(std::unique_ptr<AudioOutput> output, Reactions reactions);
    // Stops within about 100 ms (see finish()).
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    void play(SourceFactory source);

    // Asks the thread to stop; from the return on, no reaction is called any more.
    void requestStop();
    // Waits for the thread until the deadline. A thread still held inside a sound-server call
    // then is left to end by itself: it owns everything it touches, and the process may exit
    // around it.
    void finish(std::chrono::steady_clock::time_point deadline);

private:
    struct Shared;
    static void run(const std::shared_ptr<Shared>& shared);
    static void playOne(Shared& shared, const SourceFactory& make);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};

} // namespace horaloom
