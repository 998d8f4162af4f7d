// Plays sounds through the real sound layer, one after another, each given a fixed time, while
// the format test records the sink and measures each sound.
//   horaloom_play_sounds SLOT_SECONDS SOUND...    (a SOUND is a file, or "beep")
// Prints "bell" when the layer falls back to the bell.
#include "pulsesound.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char* argv[])
{
    const auto slot = std::chrono::duration<double>(argc > 1 ? std::strtod(argv[1], nullptr) : 0);
    horaloom::PulseSound sound([] { std::puts("bell"); });
    for (int i = 2; i < argc; ++i) {
        std::string(argv[i]) == "beep" ? sound.beep() : sound.playWave(argv[i]);
        std::this_thread::sleep_for(slot);
    }
    return argc > 2 ? 0 : 2;
}
