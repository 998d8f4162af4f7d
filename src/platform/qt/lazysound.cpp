#include "lazysound.h"

#include <QApplication>
#include <QDir>
#include <QLibrary>
#include <cstdio>

namespace horaloom {

namespace {
using Factory = Sound* (*)(void (*bell)());

// The X bell, for a desktop without a sound server. The sound threads call it: it is posted to
// the Qt thread.
void bell()
{
    QMetaObject::invokeMethod(
        qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
}
} // namespace

LazySound::LazySound(QStringList moduleDirectories) : m_directories(std::move(moduleDirectories)) {}

LazySound::~LazySound()
{
    if (m_loader.joinable()) {
        m_loader.join();
    }
    // m_sound goes now: its own destructor bounds the wait for its threads.
}

bool LazySound::loaded() const
{
    const std::lock_guard lock(m_mutex);
    return m_state == State::Loaded;
}

void LazySound::beep()
{
    request(std::nullopt);
}

void LazySound::playWave(const std::string& path)
{
    request(path);
}

void LazySound::request(const std::optional<std::string>& wave)
{
    std::unique_lock lock(m_mutex);
    switch (m_state) {
    case State::Loaded:
        lock.unlock();
        // The module's calls only post to its own threads.
        wave ? m_sound->playWave(*wave) : m_sound->beep();
        return;
    case State::Failed:
        lock.unlock();
        QApplication::beep();
        return;
    case State::NotLoaded:
        m_state = State::Loading;
        m_loader = std::thread(&LazySound::load, this);
        [[fallthrough]];
    case State::Loading:
        // As with the voices themselves, the newest request of each kind wins.
        if (wave) {
            m_waveWaiting = wave;
        } else {
            m_beepWaiting = true;
        }
        return;
    }
}

void LazySound::load()
{
    Sound* created = nullptr;
    QString reason = QStringLiteral("not found");
    for (const QString& directory : std::as_const(m_directories)) {
        QLibrary module(QDir(directory).filePath(QStringLiteral("horaloom_sound")));
        if (!module.load()) {
            if (QDir(directory).exists(QStringLiteral("libhoraloom_sound.so"))) {
                reason = module.errorString();
            }
            continue;
        }
        // The module stays loaded for the rest of the run: its threads may outlive the sound.
        if (auto create = reinterpret_cast<Factory>(module.resolve("horaloom_create_sound"))) {
            created = create(bell);
            break;
        }
        reason = module.errorString();
    }
    if (created == nullptr) {
        std::fprintf(stderr, "horaloom: no sound module (%s); the beep is the X bell\n",
                     qPrintable(reason));
    }
    std::unique_lock lock(m_mutex);
    m_sound.reset(created);
    m_state = created != nullptr ? State::Loaded : State::Failed;
    const bool beepWaiting = std::exchange(m_beepWaiting, false);
    const std::optional<std::string> waveWaiting = std::exchange(m_waveWaiting, std::nullopt);
    lock.unlock();
    if (created == nullptr) {
        if (beepWaiting || waveWaiting) {
            bell();
        }
        return;
    }
    if (waveWaiting) {
        created->playWave(*waveWaiting);
    }
    if (beepWaiting) {
        created->beep();
    }
}

} // namespace horaloom
