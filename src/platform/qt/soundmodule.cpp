// The sound module's entry point: Horaloom loads it with the first sound.
#include "qtsound.h"

extern "C" Q_DECL_EXPORT horaloom::Sound* horaloom_create_sound()
{
    return new horaloom::QtSound();
}
