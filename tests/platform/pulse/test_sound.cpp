// The sound layer against a fake server: what reaches the server for each kind of file and each
// way the server behaves (refuses, goes away, hangs); and where a file's chunks say its samples
// lie. Real sound, every encoding and every kind of damage, is tested in tests/desktop.
#include "beeptone.h"
#include "pulsesound.h"
#include "wavelayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <regex>
#include <thread>
#include <unistd.h>

namespace horaloom {
namespace {

using namespace std::chrono_literals;
using Opened = AudioOutput::Opened;
using enum Opened;

struct Behaviour {
    Opened answer = Yes;
    bool lose = false; // the next write fails: the server went away
    bool hang = false; // a write never returns
    std::chrono::milliseconds writeTime{0};
};

// The server side of one voice: how it behaves, and what it saw ("open RATE/CHANNELS, drain
// FRAMES, close FRAMES", and the bell).
struct Server : Behaviour {
    std::mutex mutex;
    std::string events;

    void add(const std::string& event)
    {
        const std::lock_guard lock(mutex);
        events += (events.empty() ? "" : ", ") + event;
    }
    std::string seen()
    {
        const std::lock_guard lock(mutex);
        return events;
    }
    // Until it has seen what the pattern says; false after `tries` looks 5 ms apart.
    bool waitFor(const std::string& pattern, int tries = 2000)
    {
        while (!std::regex_match(seen(), std::regex(pattern)) && --tries > 0) {
            std::this_thread::sleep_for(5ms);
        }
        return tries > 0;
    }
};

struct FakeOutput : AudioOutput {
    std::shared_ptr<Server> server;
    std::size_t frames = 0;

    explicit FakeOutput(std::shared_ptr<Server> s) : server(std::move(s)) {}
    Opened open(const AudioFormat& f) override
    {
        frames = 0;
        server->add("open " + std::to_string(f.rate) + "/" + std::to_string(f.channels));
        return server->answer;
    }
    bool write(const float*, std::size_t count) override
    {
        if (server->hang) {
            server->add("stuck");
            std::this_thread::sleep_for(24h * 365); // for good
        }
        std::this_thread::sleep_for(server->writeTime);
        frames += server->lose ? 0 : count;
        return !std::exchange(server->lose, false);
    }
    bool drain() override
    {
        server->add("drain " + std::to_string(frames));
        return true;
    }
    void close() override { server->add("close " + std::to_string(frames)); }
};

std::string le32(std::uint32_t v)
{
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

std::string chunk(const std::string& id, const std::string& body)
{
    return id + le32(static_cast<std::uint32_t>(body.size())) + body +
           std::string(body.size() % 2, '\0');
}

std::string riff(const std::string& chunks, const char* kind = "RIFF")
{
    return kind + le32(static_cast<std::uint32_t>(chunks.size() + 4)) + "WAVE" + chunks;
}

// 16-bit mono PCM at 8 kHz.
const std::string fmt = chunk("fmt ", le32(0x10001) + le32(8000) + le32(16000) + le32(0x100002));

std::string pcm(std::size_t frames)
{
    return riff(fmt + chunk("data", std::string(frames * 2, ' ')));
}

// Each row plays its sounds in turn, each next one once the wave server has seen `between`,
// and says what the wave file's voice and the beep's voice then send their servers.
TEST(PulseSound, EachSoundReachesItsServerToItsTailOrGivesTheDefaultBeepOrTheBell)
{
    const auto dir =
        std::filesystem::temp_directory_path() / ("horaloom-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto file = [&](const char* name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    };
    const std::string good = file("good.wav", pcm(800)), longer = file("long.wav", pcm(16000));
    const std::string half = file("half.wav", pcm(800).substr(0, 844));
    const std::string beeped = "open 22050/1, drain " + std::to_string(BeepTone::Frames) +
                               ", close " + std::to_string(BeepTone::Frames);
    struct Case {
        std::vector<std::string> plays; // wave files, or "beep"
        std::string waves{}, beeps{};   // what each server sees
        std::string between = "open 8000/1";
        Behaviour wave{}, beep{};
    };
    const Case cases[] = {
        {.plays = {good}, .waves = "open 8000/1, drain 800, close 800"},
        // Cut short: what it holds, then the full default beep.
        {.plays = {half}, .waves = "open 8000/1, drain 400, close 400", .beeps = beeped},
        {.plays = {file("nosamples.wav", pcm(0))}, .beeps = beeped},
        {.plays = {(dir / "missing.wav").string()}, .beeps = beeped},
        {.plays = {good}, .waves = "open 8000/1", .beeps = beeped, .wave = {.answer = BadFormat}},
        {.plays = {good}, .waves = "open 8000/1", .beeps = "bell", .wave = {.answer = NoServer}},
        {.plays = {"beep"}, .beeps = "open 22050/1, bell", .beep = {.answer = NoServer}},
        // The server goes away: the sound is given up without a fallback, and the next one
        // reconnects.
        {.plays = {good, good},
         .waves = "open 8000/1, close 0, open 8000/1, drain 800, close 800",
         .between = "open 8000/1, close 0",
         .wave = {.lose = true}},
        // A voice stuck in the server for good still ends, and reacts no more.
        {.plays = {half}, .waves = "open 8000/1, stuck", .wave = {.hang = true}},
        // A new wave file cuts the one still playing; the beep never does.
        {.plays = {longer, good},
         .waves = "open 8000/1, close [0-9]+, open 8000/1, drain 800, close 800",
         .wave = {.writeTime = 20ms}},
        {.plays = {longer, "beep"},
         .waves = "open 8000/1, drain 16000, close 16000",
         .beeps = beeped,
         .wave = {.writeTime = 2ms}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plays.front() + " " + c.waves);
        auto waves = std::make_shared<Server>(c.wave), beeps = std::make_shared<Server>(c.beep);
        auto sound = std::make_unique<PulseSound>([beeps] { beeps->add("bell"); },
                                                  [&](const std::string& name) {
                                                      return std::make_unique<FakeOutput>(
                                                          name == "Beep" ? beeps : waves);
                                                  });
        for (const std::string& play : c.plays) {
            ASSERT_TRUE(&play == &c.plays.front() || waves->waitFor(c.between)) << waves->seen();
            play == "beep" ? sound->beep() : sound->playWave(play);
        }
        const bool heard = waves->waitFor(c.waves) && beeps->waitFor(c.beeps);
        sound.reset(); // and nothing more comes
        EXPECT_TRUE(heard && waves->waitFor(c.waves, 1) && beeps->waitFor(c.beeps, 1))
            << waves->seen() << " | " << beeps->seen();
    }
    std::filesystem::remove_all(dir);
}

TEST(WaveLayout, FindsTheDataChunkAsDeclared)
{
    const std::string ds64 =
        chunk("ds64", le32(0) + le32(0) + le32(705032704) + le32(1) + le32(0) + le32(0) + le32(0));
    using Found =
        std::optional<std::tuple<std::uint64_t, std::uint64_t, std::optional<std::uint32_t>>>;
    const std::pair<std::string, Found> cases[] = {
        {riff(fmt + chunk("data", "abcd")), {{44, 4, {}}}},
        {riff(fmt + chunk("LIST", "abc") + chunk("data", "ab")), {{56, 2, {}}}}, // a pad byte
        {"RF64" + le32(~0u) + "WAVE" + ds64 + fmt + "data" + le32(~0u) + "ab",
         {{80, 5'000'000'000, {}}}},
        {riff(fmt + "data" + le32(~0u) + "ab"), {{44, 0xFFFFFFFF, {}}}},
        {riff(fmt + chunk("fact", le32(4000)) + chunk("data", "ab")), {{56, 2, 4000}}},
        {riff(fmt), {}},
        {riff("fmt " + le32(1000)), {}},
        {riff(fmt + chunk("data", "ab"), "RIFX"), {}},
        {"RIFF" + le32(0) + "AVI " + fmt + chunk("data", "ab"), {}},
        {"RIFF" + le32(0) + "WA", {}},
    };
    for (const auto& [file, found] : cases) {
        const auto layout =
            WaveLayout::find([&](std::uint64_t at, unsigned char* into, std::size_t n) {
                return at < file.size() ? file.copy(reinterpret_cast<char*>(into), n, at) : 0;
            });
        ASSERT_EQ(layout.has_value(), found.has_value()) << file;
        if (layout) {
            EXPECT_EQ(std::tuple(layout->dataOffset, layout->dataSize, layout->factFrames), *found);
        }
    }
}

} // namespace
} // namespace horaloom
