#include "win32filedialog.h"

#include "win32text.h"

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace horaloom {

namespace {

// The current wave file's folder, else the user's music folder; empty lets the dialog choose.
std::wstring startFolder(const std::string& current)
{
    const std::wstring path = wideFromAnsi(current);
    const auto slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        const std::wstring folder = path.substr(0, slash + 1);
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return folder;
        }
    }
    wchar_t music[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_MYMUSIC, nullptr, SHGFP_TYPE_CURRENT, music) == S_OK) {
        return music;
    }
    return {};
}

} // namespace

std::string Win32FileDialog::openWaveFile(const std::string& current)
{
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring folder = startFolder(current);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = L"Wave Files (*.wav)\0*.wav\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // The path and the file must exist, and no read-only box: 0x1804, as designed.
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) {
        return {};
    }
    const std::wstring chosen(file.data());
    std::string bytes = ansiFromWide(chosen);
    if (bytes.empty()) {
        std::vector<wchar_t> shortName(chosen.size() + 1);
        const DWORD got = GetShortPathNameW(chosen.c_str(), shortName.data(),
                                            static_cast<DWORD>(shortName.size()));
        if (got > 0 && got < shortName.size()) {
            bytes = ansiFromWide(std::wstring_view(shortName.data(), got));
        }
    }
    return bytes;
}

} // namespace horaloom
