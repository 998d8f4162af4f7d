#include "win32clock.h"

#include "win32text.h"

#include <windows.h>

namespace horaloom {

namespace {

// 100 ns units since 1601, UTC.
std::uint64_t now()
{
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

Win32Clock::Win32Clock()
{
    wchar_t format[80] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format, 80) > 0) {
        m_format = format;
    }
    if (m_format.find(L's') == std::wstring::npos) {
        m_format = L"HH':'mm':'ss";
    }
}

std::string Win32Clock::timeOfDay()
{
    // One reading of the clock gives both the second and its text, so the two always agree;
    // zones differ from UTC by whole minutes, so the text changes only with the UTC second.
    const std::uint64_t reading = now();
    const std::uint64_t second = reading / 10'000'000;
    if (second == m_second && !m_text.empty()) {
        return m_text;
    }
    FILETIME utcTime{static_cast<DWORD>(reading), static_cast<DWORD>(reading >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&utcTime, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        GetLocalTime(&local);
    }
    wchar_t text[80] = {};
    const int length = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &local, m_format.c_str(), text, 80);
    m_text = utf8FromWide(std::wstring_view(text, length > 1 ? length - 1 : 0));
    m_second = second;
    return m_text;
}

int Win32Clock::millisecondsIntoSecond()
{
    return static_cast<int>(now() / 10'000 % 1000);
}

} // namespace horaloom
