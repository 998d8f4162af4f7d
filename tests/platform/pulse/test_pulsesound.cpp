// The sound layer with real files of every kind, good and damaged, against fake servers: which
// file plays on the wave voice, and which gives the full default beep on the beep voice.
#include "beeptone.h"
#include "fakeoutput.h"
#include "pulsesound.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace horaloom {
namespace {

using testing::FakeOutput;
using testing::OutputLog;
using Bytes = std::vector<unsigned char>;
namespace fs = std::filesystem;

constexpr std::size_t Frames = 800; // 0.1 s at 8 kHz

void put32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// A plain 16-bit mono wave file at 8 kHz: RIFF header, fmt chunk, data chunk at byte 44.
Bytes wave(std::size_t frames)
{
    Bytes bytes(44 + frames * 2);
    std::memcpy(bytes.data(), "RIFF....WAVEfmt ", 16);
    put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    const unsigned char fmt[] = {16, 0, 0,    0,    1, 0, 1, 0, 0x40, 0x1F,
                                 0,  0, 0x80, 0x3E, 0, 0, 2, 0, 16,   0};
    std::memcpy(bytes.data() + 16, fmt, sizeof fmt);
    std::memcpy(bytes.data() + 36, "data", 4);
    put32(bytes, 40, static_cast<std::uint32_t>(frames * 2));
    for (std::size_t i = 0; i < frames; ++i) {
        bytes[44 + 2 * i + 1] = static_cast<unsigned char>(i % 2 ? 0x20 : 0xE0);
    }
    return bytes;
}

Bytes withSizes(Bytes bytes, std::uint32_t riff, std::uint32_t data)
{
    put32(bytes, 4, riff);
    put32(bytes, 40, data);
    return bytes;
}

// An odd-sized LIST chunk and its pad byte between fmt and data: a valid file.
Bytes withOddChunk()
{
    Bytes bytes = wave(Frames);
    const Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    bytes.insert(bytes.begin() + 36, list.begin(), list.end());
    put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    return bytes;
}

class PulseSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("horaloom-sound-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        m_sound = std::make_unique<PulseSound>([this] { m_beeps->add("bell"); },
                                               [this](const std::string& name) {
                                                   return std::make_unique<FakeOutput>(
                                                       name == "Beep" ? m_beeps : m_waves);
                                               });
    }
    void TearDown() override
    {
        m_sound.reset();
        fs::remove_all(m_dir);
    }
    std::string file(const std::string& name, const Bytes& bytes)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    std::string flacNamedWav()
    {
        const std::string path = (m_dir / "flac.wav").string();
        SF_INFO info{};
        info.samplerate = 8000;
        info.channels = 1;
        info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
        std::vector<short> silence(Frames, 100);
        sf_write_short(out, silence.data(), static_cast<sf_count_t>(silence.size()));
        sf_close(out);
        return path;
    }

    fs::path m_dir;
    std::shared_ptr<OutputLog> m_beeps = std::make_shared<OutputLog>();
    std::shared_ptr<OutputLog> m_waves = std::make_shared<OutputLog>();
    std::unique_ptr<PulseSound> m_sound;
};

const std::string FullBeep = "drain " + std::to_string(BeepTone::Frames);

TEST_F(PulseSoundTest, EachFilePlaysWhatItHoldsOrGivesTheFullDefaultBeep)
{
    const Bytes good = wave(Frames);
    Bytes halfData = good;
    halfData.resize(44 + Frames);
    const fs::path fifo = m_dir / "fifo.wav";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(m_dir / "directory.wav");
    struct Case {
        std::string name;
        std::string path;
        std::optional<std::size_t> played; // frames drained on the wave voice
        bool beeps;
    };
    const std::vector<Case> cases = {
        {"a good file", file("good.wav", good), Frames, false},
        {"an odd-sized chunk with its pad byte before the data", file("odd.wav", withOddChunk()),
         Frames, false},
        {"the data cut in half: what is there, then the beep", file("half.wav", halfData),
         Frames / 2, true},
        {"data size 0x7FFFFFC0", file("huge.wav", withSizes(good, 0x7FFFFFE4, 0x7FFFFFC0)), Frames,
         true},
        {"both sizes 0xFFFFFFFF", file("ff.wav", withSizes(good, 0xFFFFFFFF, 0xFFFFFFFF)), Frames,
         true},
        {"a truncated header",
         file("header.wav", Bytes(good.begin(), good.begin() + 30)),
         {},
         true},
        {"a 0-byte file", file("empty.wav", {}), {}, true},
        {"a header with no samples", file("nosamples.wav", wave(0)), {}, true},
        {"a text file",
         file("text.wav", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'}),
         {},
         true},
        {"a FLAC file named .wav", flacNamedWav(), {}, true},
        {"a directory", (m_dir / "directory.wav").string(), {}, true},
        {"a FIFO", fifo.string(), {}, true},
        {"a missing file", (m_dir / "missing.wav").string(), {}, true},
        {"an empty path", "", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_waves->clear();
        m_beeps->clear();
        m_sound->playWave(c.path);
        if (c.played) {
            ASSERT_TRUE(m_waves->waitFor("close " + std::to_string(*c.played)));
            EXPECT_EQ(m_waves->snapshot(),
                      (std::vector<std::string>{"open 8000/1", "drain " + std::to_string(*c.played),
                                                "close " + std::to_string(*c.played)}));
        }
        if (c.beeps) {
            ASSERT_TRUE(m_beeps->waitFor("close " + std::to_string(BeepTone::Frames)));
            EXPECT_EQ(m_beeps->snapshot(),
                      (std::vector<std::string>{"open 22050/1", FullBeep,
                                                "close " + std::to_string(BeepTone::Frames)}));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            EXPECT_TRUE(m_beeps->snapshot().empty());
        }
        if (!c.played) {
            EXPECT_TRUE(m_waves->snapshot().empty());
        }
    }
}

TEST_F(PulseSoundTest, BeepNeverCutsAWaveFileStillPlaying)
{
    m_waves->writeTime = std::chrono::milliseconds(2);
    const std::string path = file("long.wav", wave(8000 * 2));
    m_sound->playWave(path);
    ASSERT_TRUE(m_waves->waitFor("open 8000/1"));
    m_sound->beep();
    ASSERT_TRUE(m_beeps->waitFor(FullBeep));
    ASSERT_TRUE(m_waves->waitFor("drain 16000"));
}

TEST_F(PulseSoundTest, WithoutAServerEverySoundIsTheBell)
{
    m_beeps->answer = AudioOutput::Opened::NoServer;
    m_waves->answer = AudioOutput::Opened::NoServer;
    m_sound->beep();
    ASSERT_TRUE(m_beeps->waitFor("bell", 1));
    m_sound->playWave(file("good.wav", wave(Frames)));
    ASSERT_TRUE(m_beeps->waitFor("bell", 2));
    m_sound->playWave(file("text.wav", Bytes{'x'}));
    ASSERT_TRUE(m_beeps->waitFor("bell", 3));
}

} // namespace
} // namespace horaloom
