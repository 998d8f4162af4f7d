// Sound loaded on first use. libsndfile and libpulse add about 1.1 MB of resident memory to a
// Qt process at start-up (scripts/bench, linked directly against loaded at the first sound); a
// timer that may never sound should not carry them from the start.
#pragma once

#include "sound.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace horaloom {

class LazySound : public Sound {
public:
    // Directories searched for the sound module, in order.
    explicit LazySound(QStringList moduleDirectories);
    ~LazySound() override;
    LazySound(const LazySound&) = delete;
    LazySound& operator=(const LazySound&) = delete;

    // Never waits for the module: the first sound loads it on a thread of its own, and what
    // is asked for meanwhile is played once it is there.
    void beep() override;
    void playWave(const std::string& path) override;

    // Whether the module has been loaded (false until the first sound is under way, and when
    // it failed).
    bool loaded() const;

private:
    enum class State { NotLoaded, Loading, Loaded, Failed };
    // A beep, or a wave file by name.
    void request(const std::optional<std::string>& wave);
    void load();

    QStringList m_directories;
    mutable std::mutex m_mutex;
    State m_state = State::NotLoaded;
    bool m_beepWaiting = false;
    std::optional<std::string> m_waveWaiting;
    std::unique_ptr<Sound> m_sound;
    std::thread m_loader;
};

} // namespace horaloom
