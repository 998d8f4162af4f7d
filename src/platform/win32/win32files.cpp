#include "win32files.h"

#include "win32text.h"

#include <windows.h>

#include <vector>

namespace horaloom {

namespace {

// Closes a handle when it goes out of scope.
struct Handle {
    HANDLE h;
    ~Handle()
    {
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
        }
    }
};

bool isDirectory(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

HANDLE openForReading(const std::wstring& path)
{
    return CreateFileW(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::wstring directoryOf(const std::wstring& path)
{
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return L".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

} // namespace

std::string Win32Files::currentDirectory()
{
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    std::vector<wchar_t> buffer(needed + 1);
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    const std::wstring wide(buffer.data(), length < buffer.size() ? length : 0);
    std::string bytes = ansiFromWide(wide);
    if (bytes.empty() && !wide.empty()) {
        // A folder name the code page cannot spell: its short name is plain ASCII.
        std::vector<wchar_t> shortName(wide.size() + 1);
        const DWORD got =
            GetShortPathNameW(wide.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
        if (got > 0 && got < shortName.size()) {
            bytes = ansiFromWide(std::wstring_view(shortName.data(), got));
        }
    }
    return bytes.empty() ? std::string(".") : bytes;
}

std::string Win32Files::pathIn(const std::string& directory, std::string_view name)
{
    if (directory.empty() || directory.back() == '\\' || directory.back() == '/') {
        return directory + std::string(name);
    }
    return directory + '\\' + std::string(name);
}

std::string Win32Files::displayName(const std::string& path)
{
    return utf8FromWide(wideFromAnsi(path));
}

FileContents Win32Files::readSmallFile(const std::string& path, std::size_t limit)
{
    const std::wstring wide = wideFromAnsi(path);
    if (isDirectory(wide)) {
        return {std::nullopt, "it is a directory"};
    }
    const Handle file{openForReading(wide)};
    if (file.h == INVALID_HANDLE_VALUE) {
        return {std::nullopt, systemMessage(GetLastError())};
    }
    // A named pipe's or a device's reads could wait for ever.
    if (GetFileType(file.h) != FILE_TYPE_DISK) {
        return {std::nullopt, "it is not a regular file"};
    }
    std::string bytes;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.h, buffer, sizeof buffer, &got, nullptr)) {
            return {std::nullopt, systemMessage(GetLastError())};
        }
        if (got == 0) {
            return {std::move(bytes), {}};
        }
        bytes.append(buffer, got);
        if (bytes.size() > limit) {
            return {std::nullopt, "it is too large to be a settings file"};
        }
    }
}

std::string Win32Files::replaceFile(const std::string& path, std::string_view bytes)
{
    const std::wstring target = wideFromAnsi(path);
    wchar_t temporary[MAX_PATH + 1] = {};
    // In the same folder, so that the move is a rename on one volume and cannot half-happen.
    if (GetTempFileNameW(directoryOf(target).c_str(), L"hor", 0, temporary) == 0) {
        return systemMessage(GetLastError());
    }
    std::string reason;
    {
        const Handle file{CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)};
        DWORD written = 0;
        if (file.h == INVALID_HANDLE_VALUE ||
            !WriteFile(file.h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.h)) {
            reason = systemMessage(GetLastError());
        }
    }
    if (reason.empty() && !MoveFileExW(temporary, target.c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        reason = systemMessage(GetLastError());
    }
    if (!reason.empty()) {
        DeleteFileW(temporary);
    }
    return reason;
}

bool Win32Files::canRead(const std::string& path)
{
    const std::wstring wide = wideFromAnsi(path);
    if (wide.empty() || isDirectory(wide)) {
        return false;
    }
    const Handle file{openForReading(wide)};
    return file.h != INVALID_HANDLE_VALUE;
}

} // namespace horaloom
