// The shape of a stream of float samples: frames a second and samples a frame.
#pragma once

namespace horaloom {

struct AudioFormat {
    int rate = 0;
    int channels = 0;
};

} // namespace horaloom
