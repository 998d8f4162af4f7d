// Where a RIFF or RF64 WAVE file says its sample data lies. The decoder trusts what is in the
// file; this is how a file cut short (its data declared longer than the file) is told apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace horaloom {

struct WaveLayout {
    std::uint64_t dataOffset = 0;
    std::uint64_t dataSize = 0; // as declared
    // The frame count of the fact chunk: the true length of compressed data, whose last block
    // is padded (libsndfile decodes the padding too).
    std::optional<std::uint32_t> factFrames;

    // Reads up to `bytes` bytes at `offset`; returns how many it read (fewer at the end).
    using ReadAt =
        std::function<std::size_t(std::uint64_t offset, unsigned char* into, std::size_t bytes)>;

    // The layout of a RIFF or RF64 WAVE file, or nothing when the file is neither or has no
    // data chunk where its chunks lead.
    static std::optional<WaveLayout> find(const ReadAt& readAt);
};

} // namespace horaloom
