// Plays sounds through the real sound layer, one after another, each given a fixed time: the
// format test records the sink meanwhile and measures each sound.
//
//   horaloom_play_sounds SLOT_SECONDS SOUND...
//
// A SOUND is a file name, or "beep" for the default beep. Prints "bell" when the layer falls
// back to the bell; exits when the last slot is over (the layer then gets ~100 ms to stop).
#include "pulsesound.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SLOT_SECONDS SOUND...\n", argv[0]);
        return 2;
    }
    const auto slot = std::chrono::duration<double>(std::strtod(argv[1], nullptr));
    horaloom::PulseSound sound([] { std::puts("bell"); });
    for (int i = 2; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "beep") {
            sound.beep();
        } else {
            sound.playWave(name);
        }
        std::this_thread::sleep_for(slot);
    }
    return 0;
}
