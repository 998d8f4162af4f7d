// The sound module's entry point: Horaloom loads it with the first sound (see lazysound.h).
#include "pulsesound.h"

extern "C" __attribute__((visibility("default"))) horaloom::Sound*
horaloom_create_sound(void (*bell)())
{
    return new horaloom::PulseSound([bell] { bell(); });
}
