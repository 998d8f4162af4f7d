#include "wavelayout.h"

#include <array>
#include <cstring>

namespace horaloom {

namespace {

std::uint64_t littleEndian(const unsigned char* bytes, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

bool isId(const unsigned char* bytes, const char* id)
{
    return std::memcmp(bytes, id, 4) == 0;
}

// A file with more chunks before its data than this is not a sound anyone made on purpose.
constexpr int MaxChunks = 4096;
constexpr std::uint32_t SizeInDs64 = 0xFFFFFFFF;

} // namespace

std::optional<WaveLayout> WaveLayout::find(const ReadAt& readAt)
{
    std::array<unsigned char, 12> head{};
    if (readAt(0, head.data(), head.size()) != head.size() || !isId(head.data() + 8, "WAVE")) {
        return std::nullopt;
    }
    const bool rf64 = isId(head.data(), "RF64");
    if (!rf64 && !isId(head.data(), "RIFF")) {
        return std::nullopt;
    }
    std::optional<std::uint64_t> ds64DataSize;
    std::optional<std::uint32_t> factFrames;
    std::uint64_t offset = head.size();
    for (int chunk = 0; chunk < MaxChunks; ++chunk) {
        std::array<unsigned char, 8 + 16> header{}; // id, size and the start of ds64
        const std::size_t got = readAt(offset, header.data(), header.size());
        if (got < 8) {
            return std::nullopt;
        }
        const std::uint64_t size = littleEndian(header.data() + 4, 4);
        if (isId(header.data(), "ds64") && got >= 24) {
            ds64DataSize = littleEndian(header.data() + 16, 8);
        } else if (isId(header.data(), "fact") && got >= 12) {
            factFrames = static_cast<std::uint32_t>(littleEndian(header.data() + 8, 4));
        } else if (isId(header.data(), "data")) {
            WaveLayout layout{offset + 8, size, factFrames};
            if (rf64 && size == SizeInDs64 && ds64DataSize) {
                layout.dataSize = *ds64DataSize;
            }
            return layout;
        }
        // A chunk of odd size is followed by a pad byte.
        offset += 8 + size + (size & 1);
    }
    return std::nullopt;
}

} // namespace horaloom
