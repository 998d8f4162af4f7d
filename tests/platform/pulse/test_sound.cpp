// The sound layer against a fake server: what reaches the server for each kind of sound and
// each kind of file, good or damaged; what a voice does when the server refuses, goes away or
// hangs; and where a file's chunks say its samples lie. Real sound is tested in test_formats.sh.
#include "beeptone.h"
#include "pulsesound.h"
#include "voice.h"
#include "wavelayout.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace horaloom {
namespace {

using Events = std::vector<std::string>;

// The server side of a stream: how it behaves, and what happened ("open RATE/CHANNELS",
// "drain FRAMES", "close FRAMES", and the reactions the test adds).
struct Server {
    AudioOutput::Opened answer = AudioOutput::Opened::Yes;
    std::optional<std::size_t> loseAfter; // frames into the next sound
    bool hang = false;                    // a write never returns
    std::chrono::milliseconds writeTime{0};
    std::mutex mutex;
    std::condition_variable changed;
    Events events;

    void add(std::string event)
    {
        std::lock_guard lock(mutex);
        events.push_back(std::move(event));
        changed.notify_all();
    }
    Events seen()
    {
        std::lock_guard lock(mutex);
        return events;
    }
    // Until the event has come `count` times; false after ten seconds.
    bool waitFor(const std::string& event, long count = 1)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] {
            return std::count(events.begin(), events.end(), event) >= count;
        });
    }
};

class FakeOutput : public AudioOutput {
public:
    explicit FakeOutput(std::shared_ptr<Server> server) : m_server(std::move(server)) {}
    Opened open(const AudioFormat& f) override
    {
        m_frames = 0;
        m_server->add("open " + std::to_string(f.rate) + "/" + std::to_string(f.channels));
        return m_server->answer;
    }
    bool write(const float*, std::size_t frames) override
    {
        if (m_server->hang) {
            m_server->add("stuck");
            std::this_thread::sleep_for(std::chrono::hours(24 * 365)); // for good
        }
        std::this_thread::sleep_for(m_server->writeTime);
        if (m_server->loseAfter && m_frames + frames > *m_server->loseAfter) {
            m_server->loseAfter.reset();
            return false;
        }
        m_frames += frames;
        return true;
    }
    bool drain() override
    {
        m_server->add("drain " + std::to_string(m_frames));
        return true;
    }
    void close() override { m_server->add("close " + std::to_string(m_frames)); }

private:
    std::shared_ptr<Server> m_server;
    std::size_t m_frames = 0;
};

// Silence of a given length at 8 kHz stereo; may report that it broke off.
Voice::SourceFactory frames(std::size_t count, bool fails = false)
{
    struct Frames : SoundSource {
        std::size_t left;
        bool fails;
        AudioFormat format() const override { return {8000, 2}; }
        std::size_t read(float* into, std::size_t wanted) override
        {
            const std::size_t n = std::min(wanted, left);
            std::fill_n(into, n * 2, 0.0F);
            left -= n;
            return n;
        }
        bool failed() const override { return fails; }
    };
    return [=] {
        auto source = std::make_unique<Frames>();
        source->left = count;
        source->fails = fails;
        return source;
    };
}

struct VoiceOnFakeServer {
    std::shared_ptr<Server> server = std::make_shared<Server>();
    std::unique_ptr<Voice> voice = std::make_unique<Voice>(
        std::make_unique<FakeOutput>(server),
        Voice::Reactions{.cannotPlay = [s = server] { s->add("cannot play"); },
                         .noServer = [s = server] { s->add("no server"); }});
};

TEST(Voice, EachSoundReachesTheServerToItsTailOrGivesItsReaction)
{
    using O = AudioOutput::Opened;
    const std::tuple<Voice::SourceFactory, O, std::optional<std::size_t>, Events> cases[] = {
        {frames(20000), O::Yes, {}, {"open 8000/2", "drain 20000", "close 20000"}},
        {[] { return nullptr; }, O::Yes, {}, {"cannot play"}},
        {frames(100), O::BadFormat, {}, {"open 8000/2", "cannot play"}},
        {frames(100), O::NoServer, {}, {"open 8000/2", "no server"}},
        // What a sound that breaks off holds is heard before the reaction.
        {frames(20000, true),
         O::Yes,
         {},
         {"open 8000/2", "drain 20000", "close 20000", "cannot play"}},
        // The server goes away: given up without a fallback, and back at the next sound.
        {frames(300), O::Yes, 0, {"open 8000/2", "close 0"}},
    };
    for (const auto& [source, answer, loseAfter, expected] : cases) {
        VoiceOnFakeServer f;
        f.server->answer = answer;
        f.server->loseAfter = loseAfter;
        f.voice->play(source);
        ASSERT_TRUE(f.server->waitFor(expected.back()));
        if (loseAfter) {
            f.voice->play(source);
            ASSERT_TRUE(f.server->waitFor("close 300"));
        }
        f.voice.reset();
        const Events reconnected = {"open 8000/2", "close 0", "open 8000/2", "drain 300",
                                    "close 300"};
        EXPECT_EQ(f.server->seen(), loseAfter ? reconnected : expected);
    }
}

TEST(Voice, NewSoundCutsTheOneStillPlayingAndAHungServerHoldsNobody)
{
    VoiceOnFakeServer f;
    f.server->writeTime = std::chrono::milliseconds(5);
    f.voice->play(frames(8000 * 60)); // a minute
    ASSERT_TRUE(f.server->waitFor("open 8000/2"));
    f.voice->play(frames(500));
    ASSERT_TRUE(f.server->waitFor("close 500"));
    const Events events = f.server->seen();
    ASSERT_EQ(events.size(), 5U);
    EXPECT_TRUE(events[1].starts_with("close ")) << "the first sound is cut, not drained";
    EXPECT_EQ(Events(events.begin() + 2, events.end()),
              (Events{"open 8000/2", "drain 500", "close 500"}));
    // A voice whose thread is stuck in the server for good still ends (a voice that joined it
    // would hold this test until ctest's timeout), and reacts no more.
    VoiceOnFakeServer hung;
    hung.server->hang = true;
    hung.voice->play(frames(1000, true));
    ASSERT_TRUE(hung.server->waitFor("stuck"));
    hung.voice.reset();
    EXPECT_EQ(hung.server->seen(), (Events{"open 8000/2", "stuck"}));
}

using Bytes = std::vector<unsigned char>;

void put32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// 0.1 s of 16-bit mono at 8 kHz: RIFF header, fmt chunk, the data at byte 44.
Bytes wave(std::size_t frames = 800)
{
    Bytes bytes(44 + frames * 2, 0x20);
    std::memcpy(bytes.data(), "RIFF....WAVEfmt ", 16);
    const unsigned char fmt[] = {16, 0, 0,    0,    1, 0, 1, 0, 0x40, 0x1F,
                                 0,  0, 0x80, 0x3E, 0, 0, 2, 0, 16,   0};
    std::memcpy(bytes.data() + 16, fmt, sizeof fmt);
    std::memcpy(bytes.data() + 36, "data", 4);
    put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    put32(bytes, 40, static_cast<std::uint32_t>(frames * 2));
    return bytes;
}

// Each file on the wave voice, as the fake server sees it: played in full, or what a file cut
// short holds and then the full default beep on the beep voice, or the beep alone. Every kind
// of damage is played through a real server in tests/desktop/test_formats.sh.
TEST(PulseSound, EachFilePlaysWhatItHoldsOrGivesTheFullDefaultBeep)
{
    const std::string dir =
        std::filesystem::temp_directory_path() / ("horaloom-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto file = [&](const char* name, const Bytes& bytes) {
        std::ofstream(dir + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return dir + name;
    };
    Bytes oddChunk = wave(); // an odd-sized chunk and its pad byte before the data: valid
    const Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    oddChunk.insert(oddChunk.begin() + 36, list.begin(), list.end());
    put32(oddChunk, 4, static_cast<std::uint32_t>(oddChunk.size() - 8));
    const Bytes good = wave();
    const std::tuple<std::string, std::size_t, bool> cases[] = {
        // path, frames played, beeps
        {file("/good.wav", good), 800, false},
        {file("/odd.wav", oddChunk), 800, false},
        {file("/half.wav", Bytes(good.begin(), good.begin() + 844)), 400, true},
        {file("/nosamples.wav", wave(0)), 0, true},
        {"", 0, true},
    };
    const std::string beep = std::to_string(BeepTone::Frames);
    for (const auto& [path, played, beeps] : cases) {
        SCOPED_TRACE(path);
        auto waves = std::make_shared<Server>();
        auto beepServer = std::make_shared<Server>();
        PulseSound sound([beepServer] { beepServer->add("bell"); },
                         [&](const std::string& name) {
                             return std::make_unique<FakeOutput>(name == "Beep" ? beepServer
                                                                                : waves);
                         });
        sound.playWave(path);
        if (played > 0) {
            const std::string n = std::to_string(played);
            ASSERT_TRUE(waves->waitFor("close " + n));
            EXPECT_EQ(waves->seen(), (Events{"open 8000/1", "drain " + n, "close " + n}));
        }
        if (beeps) {
            ASSERT_TRUE(beepServer->waitFor("close " + beep));
            EXPECT_EQ(beepServer->seen(),
                      (Events{"open 22050/1", "drain " + beep, "close " + beep}));
        }
        EXPECT_TRUE(played > 0 || waves->seen().empty());
    }
    std::filesystem::remove_all(dir);
}

TEST(PulseSound, BeepNeverCutsAWaveFileAndWithoutAServerEverySoundIsTheBell)
{
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("horaloom-long-" + std::to_string(getpid()) + ".wav"))
                                 .string();
    const Bytes long16000 = wave(16000);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(long16000.data()),
               static_cast<std::streamsize>(long16000.size()));
    auto waves = std::make_shared<Server>();
    auto beeps = std::make_shared<Server>();
    PulseSound sound([beeps] { beeps->add("bell"); },
                     [&](const std::string& name) {
                         return std::make_unique<FakeOutput>(name == "Beep" ? beeps : waves);
                     });
    waves->writeTime = std::chrono::milliseconds(2);
    sound.playWave(path);
    ASSERT_TRUE(waves->waitFor("open 8000/1"));
    sound.beep();
    EXPECT_TRUE(beeps->waitFor("drain " + std::to_string(BeepTone::Frames)));
    EXPECT_TRUE(waves->waitFor("drain 16000"));
    waves->answer = beeps->answer = AudioOutput::Opened::NoServer;
    sound.beep();
    EXPECT_TRUE(beeps->waitFor("bell", 1));
    sound.playWave(path);
    EXPECT_TRUE(beeps->waitFor("bell", 2));
    std::remove(path.c_str());
}

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

TEST(WaveLayout, FindsTheDataChunkAsDeclared)
{
    const std::string fmt = chunk("fmt ", std::string(16, 'f'));
    const std::string ds64 =
        chunk("ds64", le32(0) + le32(0) + le32(705032704) + le32(1) + le32(0) + le32(0) + le32(0));
    using Found =
        std::optional<std::tuple<std::uint64_t, std::uint64_t, std::optional<std::uint32_t>>>;
    const std::pair<std::string, Found> cases[] = {
        {"RIFF" + le32(0) + "WAVE" + fmt + chunk("data", "abcd"), {{44, 4, {}}}},
        {"RIFF" + le32(0) + "WAVE" + fmt + chunk("LIST", "abc") + chunk("data", "ab"),
         {{56, 2, {}}}},
        {"RF64" + le32(~0u) + "WAVE" + ds64 + fmt + "data" + le32(~0u) + "ab",
         {{80, 5'000'000'000, {}}}},
        {"RIFF" + le32(~0u) + "WAVE" + fmt + "data" + le32(~0u) + "ab", {{44, 0xFFFFFFFF, {}}}},
        {"RIFF" + le32(0) + "WAVE" + fmt + chunk("fact", le32(4000)) + chunk("data", "ab"),
         {{56, 2, 4000}}},
        {"RIFF" + le32(0) + "WAVE" + fmt, {}},
        {"RIFF" + le32(0) + "WAVE" + "fmt " + le32(1000), {}},
        {"RIFF" + le32(0) + "AVI " + fmt + chunk("data", "ab"), {}},
        {"RIFX" + le32(0) + "WAVE" + fmt + chunk("data", "ab"), {}},
        {"RIFF" + le32(0) + "WA", {}},
    };
    for (const auto& [file, found] : cases) {
        const auto layout =
            WaveLayout::find([&](std::uint64_t at, unsigned char* into, std::size_t n) {
                const std::size_t count = at < file.size() ? std::min(n, file.size() - at) : 0;
                std::memcpy(into, file.data() + at, count);
                return count;
            });
        ASSERT_EQ(layout.has_value(), found.has_value()) << file;
        if (layout) {
            EXPECT_EQ(std::tuple(layout->dataOffset, layout->dataSize, layout->factFrames), *found);
        }
    }
}

} // namespace
} // namespace horaloom
