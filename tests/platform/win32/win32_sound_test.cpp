// Win32Sound under wine, heard through the session's sound server. Plays, with pauses the
// recording script knows: a wave file whose name is not ASCII, given as bytes in the ANSI code
// page; the beep; a long wave file with a beep asked for while it plays (the beep must yield);
// a missing file (the system's default sound: silent under wine). Checks the name conversion
// itself and prints "N passed, N failed".
#include "win32sound.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <mmsystem.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const char* what)
{
    ok ? ++passed : ++failed;
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
}

void put(std::vector<unsigned char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

// A 16-bit mono sine at 22050 Hz as a wave file.
bool writeSine(const std::wstring& name, double pitch, double seconds)
{
    const auto frames = static_cast<std::uint32_t>(22050 * seconds);
    std::vector<unsigned char> file;
    file.insert(file.end(), {'R', 'I', 'F', 'F'});
    put(file, 36 + frames * 2, 4);
    file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    for (auto [value, bytes] :
         {std::pair{16U, 4}, {1U, 2}, {1U, 2}, {22050U, 4}, {44100U, 4}, {2U, 2}, {16U, 2}}) {
        put(file, value, bytes);
    }
    file.insert(file.end(), {'d', 'a', 't', 'a'});
    put(file, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double v = 0.5 * std::sin(2 * 3.14159265358979 * pitch * i / 22050.0);
        put(file, static_cast<std::uint16_t>(static_cast<std::int16_t>(v * 32767)), 2);
    }
    HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(h, file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
                    written == file.size();
    CloseHandle(h);
    return ok;
}

// The bytes a narrow-character program holds for a wide name: the ANSI code page's.
std::string ansiBytes(const std::wstring& wide)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

} // namespace

int main()
{
    using horaloom::Win32Sound;
    const std::wstring tone = L"t\u00F6ne-440.wav"; // "töne": ö is in every Western code page
    check(Win32Sound::widePath(ansiBytes(tone)) == tone,
          "a name's ANSI bytes convert back to the wide name");
    if (GetACP() == 1252) {
        check(Win32Sound::widePath("t\xF6ne") == L"t\u00F6ne",
              "the bytes are read as the ANSI code page (1252 here), not as UTF-8");
    }
    check(Win32Sound::widePath("").empty(), "an empty name stays empty");
    check(writeSine(tone, 440, 0.4) && writeSine(L"long-660.wav", 660, 1.5),
          "the test's wave files are written");
    std::fflush(stdout);

    // Wine opens its audio device at the first sound, taking seconds; what is played meanwhile
    // is lost. A silent sound, played to the end, opens it first.
    writeSine(L"silence.wav", 0, 0.2);
    PlaySoundW(L"silence.wav", nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT);
    Sleep(500);

    Win32Sound sound;
    sound.playWave(ansiBytes(tone));
    Sleep(1000);
    sound.beep();
    Sleep(1000);
    sound.playWave("long-660.wav");
    Sleep(300);
    sound.beep(); // yields: the wave file plays on
    Sleep(2200);
    sound.playWave("missing.wav");
    Sleep(500);
    DeleteFileW(tone.c_str());
    DeleteFileW(L"long-660.wav");
    DeleteFileW(L"silence.wav");
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
