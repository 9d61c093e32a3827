#include "win/wallset.h"

#include "outside_programs.h"
#include "text/ansi.h"
#include "text/wide.h"
#include "win/handles.h"
#include "win/process.h"

#include <windows.h>
#include <shlobj.h>

#include <stdexcept>
#include <vector>

namespace mb {

namespace wallset {

std::string ReadRegString(std::string_view key, std::string_view name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ToAnsi(key).c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return {};
    win::UniqueKey k(raw);
    std::vector<char> buffer(1024, '\0');
    DWORD size = static_cast<DWORD>(buffer.size());
    if (RegQueryValueExA(k.get(), ToAnsi(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    buffer.back() = '\0';  // a value of exactly 1024 bytes without its NUL
    return FromAnsi(buffer.data());
}

bool WriteRegString(std::string_view key, std::string_view name, std::string_view text) {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ToAnsi(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return false;
    win::UniqueKey k(raw);
    std::string value = ToAnsi(text);
    return RegSetValueExA(k.get(), ToAnsi(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

void ApplyDesktopWallpaper(const std::string& path) {
    // Wide, so that a per-user folder outside the ANSI code page still works.
    std::wstring wide = Widen(path);
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

Screen PlatformScreen() {
    win::WindowDc screen(nullptr);
    int dpiX = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    int dpiY = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return ScreenFrom(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), dpiX > 0 ? dpiX : 96,
                      dpiY > 0 ? dpiY : 96);
}

std::string ExistingFileName(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return {};
    WIN32_FIND_DATAW found;
    win::UniqueFind find(FindFirstFileW(Widen(path).c_str(), &found));
    if (!find || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return Narrow(found.cFileName);
}

}  // namespace wallset

namespace {

void WriteValues(const std::vector<wallset::RegistryWrite>& writes) {
    for (const auto& w : writes) wallset::WriteRegString(w.key, w.name, w.text);  // failures are passed over
}

// The whole file or nothing: a partly written bitmap is removed again.
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string* error) {
    std::wstring wide = Widen(path);
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *error = win::ErrorText(GetLastError());
        return false;
    }
    win::UniqueHandle file(h);
    DWORD written = 0;
    bool ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (!ok) *error = win::ErrorText(GetLastError() ? GetLastError() : ERROR_WRITE_FAULT);
    file.reset();
    if (!ok) DeleteFileW(wide.c_str());
    return ok;
}

}  // namespace

BitmapFolders PlatformBitmapFolders() {
    BitmapFolders f;
    wchar_t windows[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n > 0 && n < MAX_PATH) f.windows = WithTrailingBackslash(Narrow(std::wstring_view(windows, n)));
    wchar_t local[MAX_PATH] = {};
    if (SUCCEEDED(
            SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, local)))
        f.perUser = WithTrailingBackslash(Narrow(local)) + "MurabellCompanion\\";
    return f;
}

cWallSet::cWallSet() : cWallSet(wallset::PlatformScreen(), PlatformBitmapFolders) {}

cWallSet::cWallSet(wallset::Screen screen, std::function<BitmapFolders()> folders)
    : placement_(screen), folders_(std::move(folders)) {}

void cWallSet::Picture(std::shared_ptr<const PictureImage> vData) {
    picture_ = std::move(vData);
    if (picture_)
        placement_.PictureSize(picture_->himetricWidth, picture_->himetricHeight);
    else
        placement_.PictureSize(0, 0);
}

std::string cWallSet::NowWallName() const {
    return wallset::ReadRegString(wallset::kDesktopKey, wallset::kWallpaperValue);
}

void cWallSet::Centering() const {
    std::string path = wallset::ReadRegString(wallset::kDesktopKey, "wallpaper");
    WriteValues(wallset::DesktopWrites("0", "0", "0"));
    wallset::ApplyDesktopWallpaper(path);
}

void cWallSet::ReadCurrentWall() {
    using namespace wallset;
    old_ = ParseCurrentWall(ReadRegString(kDesktopKey, kWallpaperValue), ReadRegString(kDesktopKey, kOriginXValue),
                            ReadRegString(kDesktopKey, kOriginYValue), ReadRegString(kDesktopKey, kTileValue),
                            old_.tiling);
}

std::string cWallSet::WriteBitmap() {
    if (!picture_) throw std::runtime_error("壁紙にする画像がありません。");
    const std::string bytes = EncodeBmp(*picture_);
    const std::string name = fileName_ + ".bmp";
    const BitmapFolders folders = folders_();
    std::string error;
    if (!folders.windows.empty() && WriteWholeFile(folders.windows + name, bytes, &error))
        return folders.windows + name;
    if (folders.perUser.empty()) throw std::runtime_error(error.empty() ? win::ErrorText(ERROR_PATH_NOT_FOUND) : error);
    CreateDirectoryW(Widen(folders.perUser).c_str(), nullptr);  // usually there already
    if (!WriteWholeFile(folders.perUser + name, bytes, &error)) throw std::runtime_error(error);
    return folders.perUser + name;
}

bool cWallSet::SetWall(bool Reset, bool SaveOnly) {
    if (fileName_.empty()) return false;
    try {
        if (Reset && !SaveOnly) {
            ReadCurrentWall();
            // Our own bitmap as the wallpaper must never replace the user's saved one.
            if (!wallset::IsOwnWallpaper(old_.name, wallset::ExistingFileName(old_.name), fileName_))
                WriteValues(wallset::SavedSettingsWrites(fileName_, old_));
        }
        const std::string tile = std::to_string(tile_);
        const std::string x = std::to_string(placement_.CurrentX());
        const std::string y = std::to_string(placement_.CurrentY());
        bitmapPath_ = WriteBitmap();
        WriteValues(wallset::DesktopWrites(tile, x, y));
        if (!SaveOnly) wallset::ApplyDesktopWallpaper(bitmapPath_);
        return true;
    } catch (const std::exception& e) {
        ShowError("SetWallError", e.what());
        return false;
    }
}

bool cWallSet::KillWall(bool Reset) {
    using namespace wallset;
    try {
        if (Reset) {
            const std::string key = SavedSettingsKey(fileName_);
            old_.name = ReadRegString(key, kSavedFileNameValue);
            if (ExistingFileName(old_.name).empty()) return false;
            WriteValues(DesktopWrites(ReadRegString(key, kSavedTilingValue), ReadRegString(key, kSavedXValue),
                                       ReadRegString(key, kSavedYValue)));
            ApplyDesktopWallpaper(old_.name);
            return true;
        }
        WriteValues(DesktopWrites("0", "0", "0"));
        ApplyDesktopWallpaper("");
        return true;
    } catch (const std::exception& e) {
        ShowError("KillWallError", e.what());
        return false;
    }
}

void cWallSet::ShowError(const char* label, const std::string& description) const {
    MessageBoxW(nullptr, Widen(std::string(label) + description).c_str(), L"cWallSet Class", MB_OK | MB_ICONSTOP);
}

}  // namespace mb
