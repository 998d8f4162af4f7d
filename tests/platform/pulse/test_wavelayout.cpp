// Where a file's chunks say the sample data lies: the basis for telling a file cut short.
#include "wavelayout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace horaloom {
namespace {

std::string le32(std::uint32_t v)
{
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}
std::string le64(std::uint64_t v)
{
    return le32(static_cast<std::uint32_t>(v)) + le32(static_cast<std::uint32_t>(v >> 32));
}
std::string chunk(const std::string& id, const std::string& body)
{
    return id + le32(static_cast<std::uint32_t>(body.size())) + body +
           (body.size() % 2 ? std::string(1, '\0') : "");
}
const std::string Fmt = chunk("fmt ", std::string(16, 'f'));

std::optional<WaveLayout> layoutOf(const std::string& file)
{
    return WaveLayout::find([&](std::uint64_t offset, unsigned char* into, std::size_t bytes) {
        if (offset >= file.size()) {
            return std::size_t{0};
        }
        const std::size_t count = std::min<std::size_t>(bytes, file.size() - offset);
        std::memcpy(into, file.data() + offset, count);
        return count;
    });
}

TEST(WaveLayout, FindsTheDataChunkAsDeclared)
{
    struct Case {
        const char* name;
        std::string file;
        std::optional<std::pair<std::uint64_t, std::uint64_t>> expected; // offset, size
        std::optional<std::uint32_t> factFrames = std::nullopt;
    };
    const std::string ds64 = chunk("ds64", le64(0) + le64(5'000'000'000) + le64(0) + le32(0));
    const std::vector<Case> cases = {
        {"plain RIFF", "RIFF" + le32(0) + "WAVE" + Fmt + chunk("data", "abcd"),
         std::pair{44ULL, 4ULL}},
        {"an odd chunk is followed by its pad byte",
         "RIFF" + le32(0) + "WAVE" + Fmt + chunk("LIST", "abc") + chunk("data", "ab"),
         std::pair{56ULL, 2ULL}},
        {"RF64 takes the data size from ds64",
         "RF64" + le32(0xFFFFFFFF) + "WAVE" + ds64 + Fmt + "data" + le32(0xFFFFFFFF) + "ab",
         std::pair{80ULL, 5'000'000'000ULL}},
        {"a data size beyond the file is kept as declared",
         "RIFF" + le32(0xFFFFFFFF) + "WAVE" + Fmt + "data" + le32(0xFFFFFFFF) + "ab",
         std::pair{44ULL, 0xFFFFFFFFULL}},
        {"fact before the data",
         "RIFF" + le32(0) + "WAVE" + Fmt + chunk("fact", le32(4000)) + chunk("data", "ab"),
         std::pair{56ULL, 2ULL}, 4000},
        {"no data chunk", "RIFF" + le32(0) + "WAVE" + Fmt, std::nullopt},
        {"a chunk size running past the end", "RIFF" + le32(0) + "WAVE" + "fmt " + le32(1000),
         std::nullopt},
        {"not WAVE", "RIFF" + le32(0) + "AVI " + Fmt + chunk("data", "ab"), std::nullopt},
        {"big-endian RIFX", "RIFX" + le32(0) + "WAVE" + Fmt + chunk("data", "ab"), std::nullopt},
        {"cut inside the header", "RIFF" + le32(0) + "WA", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto layout = layoutOf(c.file);
        ASSERT_EQ(layout.has_value(), c.expected.has_value());
        if (layout) {
            EXPECT_EQ(layout->dataOffset, c.expected->first);
            EXPECT_EQ(layout->dataSize, c.expected->second);
            EXPECT_EQ(layout->factFrames, c.factFrames);
        }
    }
}

} // namespace
} // namespace horaloom
