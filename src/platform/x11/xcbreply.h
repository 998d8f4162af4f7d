// Ownership of the malloc'ed replies, events and errors that libxcb hands out.
#pragma once

#include <cstdlib>
#include <memory>

namespace horaloom {

struct FreeDeleter {
    void operator()(void* memory) const { std::free(memory); }
};

template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

} // namespace horaloom
