#include "win32sound.h"

#include "beeptone.h"

#include <windows.h>

#include <mmsystem.h> // after windows.h, whose types it uses

namespace horaloom {

// PlaySoundW plays one sound at a time in a process: a new call stops the sound playing. So
// there are not two voices here as on Linux; instead the beep yields (SND_NOSTOP) to whatever
// still plays, so that a refused key never cuts a wave alarm short, while a wave file always
// takes over (each repeat of the alarm replaces the last).

Win32Sound::Win32Sound() : m_beep(BeepTone::waveImage()) {}

void Win32Sound::beep()
{
    PlaySoundW(reinterpret_cast<LPCWSTR>(m_beep.data()), nullptr,
               SND_MEMORY | SND_ASYNC | SND_NOSTOP | SND_NODEFAULT);
}

void Win32Sound::playWave(const std::string& path)
{
    // No SND_NODEFAULT: what cannot be played gives the system's default sound.
    PlaySoundW(widePath(path).c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

std::wstring Win32Sound::widePath(const std::string& bytes)
{
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (wide <= 0) {
        return {};
    }
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), wide);
    return out;
}

} // namespace horaloom
