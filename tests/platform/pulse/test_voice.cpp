// One voice against a fake server: what reaches the server for each kind of sound, what the
// voice does when the server refuses, goes away or hangs, and how a new sound replaces one.
#include "fakeoutput.h"
#include "voice.h"

#include <gtest/gtest.h>

#include <atomic>

namespace horaloom {
namespace {

using testing::FakeOutput;
using testing::OutputLog;
using Events = std::vector<std::string>;

// Silence of a given length; may report that it broke off.
class Frames : public SoundSource {
public:
    Frames(std::size_t frames, bool fails) : m_left(frames), m_fails(fails) {}
    AudioFormat format() const override { return {8000, 2}; }
    std::size_t read(float* into, std::size_t frames) override
    {
        const std::size_t count = std::min(frames, m_left);
        std::fill_n(into, count * 2, 0.0F);
        m_left -= count;
        return count;
    }
    bool failed() const override { return m_fails; }

private:
    std::size_t m_left;
    bool m_fails;
};

Voice::SourceFactory frames(std::size_t count, bool fails = false)
{
    return [=] { return std::make_unique<Frames>(count, fails); };
}

struct VoiceFixture {
    std::shared_ptr<OutputLog> log = std::make_shared<OutputLog>();
    std::unique_ptr<Voice> voice;

    VoiceFixture()
    {
        voice = std::make_unique<Voice>(
            std::make_unique<FakeOutput>(log),
            Voice::Reactions{.cannotPlay = [this] { log->add("cannot play"); },
                             .noServer = [this] { log->add("no server"); }});
    }
};

struct Case {
    const char* name;
    Voice::SourceFactory source;
    AudioOutput::Opened answer;
    std::optional<std::size_t> loseServerAfter;
    Events expected;
};

TEST(Voice, EachSoundReachesTheServerOrGivesItsReaction)
{
    const std::vector<Case> cases = {
        {"a whole sound, drained to its tail",
         frames(20000),
         AudioOutput::Opened::Yes,
         {},
         {"open 8000/2", "drain 20000", "close 20000"}},
        {"no source", [] { return nullptr; }, AudioOutput::Opened::Yes, {}, {"cannot play"}},
        {"a format the server refuses",
         frames(100),
         AudioOutput::Opened::BadFormat,
         {},
         {"open 8000/2", "cannot play"}},
        {"no server", frames(100), AudioOutput::Opened::NoServer, {}, {"open 8000/2", "no server"}},
        {"a sound that breaks off plays what it has, then reacts",
         frames(20000, true),
         AudioOutput::Opened::Yes,
         {},
         {"open 8000/2", "drain 20000", "close 20000", "cannot play"}},
        {"the server goes away: given up, no fallback",
         frames(20000),
         AudioOutput::Opened::Yes,
         0,
         {"open 8000/2", "close 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VoiceFixture f;
        f.log->answer = c.answer;
        f.log->loseServerAfter = c.loseServerAfter;
        f.voice->play(c.source);
        ASSERT_TRUE(f.log->waitFor(c.expected.back()));
        f.voice.reset();
        EXPECT_EQ(f.log->snapshot(), c.expected);
    }
}

TEST(Voice, NewSoundReplacesTheOneStillPlayingWithoutItsTail)
{
    VoiceFixture f;
    f.log->writeTime = std::chrono::milliseconds(5);
    f.voice->play(frames(8000 * 60)); // a minute
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    f.voice->play(frames(500));
    ASSERT_TRUE(f.log->waitFor("close 500"));
    const Events events = f.log->snapshot();
    ASSERT_EQ(events.size(), 5U);
    EXPECT_EQ(events[0], "open 8000/2");
    EXPECT_TRUE(events[1].starts_with("close ")) << "the first sound is cut, not drained";
    EXPECT_EQ(Events(events.begin() + 2, events.end()),
              (Events{"open 8000/2", "drain 500", "close 500"}));
}

TEST(Voice, ReconnectsAtTheNextSoundAfterTheServerWentAway)
{
    VoiceFixture f;
    f.log->loseServerAfter = 0;
    for (int i = 0; i < 3; ++i) {
        f.voice->play(frames(300));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(f.log->waitFor("drain 300", 2));
    EXPECT_EQ(f.log->snapshot(), (Events{"open 8000/2", "close 0", "open 8000/2", "drain 300",
                                         "close 300", "open 8000/2", "drain 300", "close 300"}));
}

TEST(Voice, EndsWithoutWaitingForAServerThatHangs)
{
    VoiceFixture f;
    f.log->hang = true;
    std::atomic<bool> reacted{false};
    f.voice = std::make_unique<Voice>(std::make_unique<FakeOutput>(f.log),
                                      Voice::Reactions{.cannotPlay = [&] { reacted = true; },
                                                       .noServer = [&] { reacted = true; }});
    f.voice->play(frames(1000, true));
    ASSERT_TRUE(f.log->waitFor("open 8000/2"));
    const auto start = std::chrono::steady_clock::now();
    f.voice.reset(); // the thread stays inside write() for good
    // Not a speed figure: a voice that joined its thread would never get here.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(reacted);
}

} // namespace
} // namespace horaloom
