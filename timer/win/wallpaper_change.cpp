#include "wallpaper_change.h"

#include "ini/profile_service.h"
#include "outside_programs.h"
#include "text/wide.h"
#include "wallpaper_resources.h"
#include "wallset_logic/wallset_registry.h"
#include "win/handles.h"
#include "win/picture_loader.h"
#include "win/process.h"
#include "win/wallset.h"

#include <chrono>
#include <random>
#include <stdexcept>
#include <utility>

namespace mb::timer {

namespace {

const std::string kOwnBitmap = "Murabell";

class WinPoolPlatform : public PoolPlatform {
public:
    explicit WinPoolPlatform(HWND owner) : owner_(owner) {}

    bool Exists(const std::string& path) const override {
        return !path.empty() && GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::vector<std::string> List(const std::string& pattern) const override {
        std::vector<std::string> names;
        WIN32_FIND_DATAW found;
        win::UniqueFind find(FindFirstFileW(Widen(pattern).c_str(), &found));
        if (!find) return names;
        do {
            // Ordinary files only, as a plain listing gives them.
            if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
                continue;
            names.push_back(Narrow(found.cFileName));
        } while (FindNextFileW(find.get(), &found));
        return names;
    }

    void CreateFolder(const std::string& path) override {
        if (!CreateDirectoryW(Widen(path).c_str(), nullptr)) throw std::runtime_error(win::ErrorText(GetLastError()));
    }

    void TellPictureFolderCreated() override {
        MessageBoxW(owner_, Widen(PictureFolderNotice()).c_str(), L"MBTimer", MB_OK | MB_ICONINFORMATION);
    }

    std::int32_t ScreenPixelsHeight() const override { return wallset::PlatformScreen().pixelsHeight; }

private:
    HWND owner_;
};

PictureImage FallbackPicture() {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(IDR_PICERROR), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        throw std::runtime_error(win::ErrorText(GetLastError() ? GetLastError() : ERROR_RESOURCE_DATA_NOT_FOUND));
    std::string error;
    auto picture = win::LoadPictureFromMemory(bytes, SizeofResource(self, found), &error);
    if (!picture) throw std::runtime_error(error);
    return std::move(*picture);
}

std::string PainterPath(const std::string& appFolder) {
    return appFolder + std::string(names::kPainterExe);
}

void StartPainterWith(const std::string& appFolder, const std::string& argument) {
    std::string error;
    // The path is quoted so a folder with spaces cannot start another program; the
    // picture path goes unquoted, one argument, as the painter reads it.
    if (!win::StartProgram(QuotedCommandLine(PainterPath(appFolder), argument), SW_SHOWNORMAL, &error))
        throw std::runtime_error(error);
}

class WinActions : public WallpaperActions {
public:
    explicit WinActions(std::string appFolder) : appFolder_(std::move(appFolder)) {}

    void SetWallpaper(const std::optional<std::string>& picturePath) override {
        std::optional<PictureImage> picture;
        // A picture the loader cannot read is treated like a vanished one.
        if (picturePath) picture = win::LoadPicture(*picturePath);
        if (!picture) picture = FallbackPicture();
        cWallSet wall;
        wall.FileName(kOwnBitmap);
        wall.Picture(std::make_shared<const PictureImage>(std::move(*picture)));
        wall.Align(0);
        wall.SetWall(true, false);  // reports its own failures
    }

    void StartPainter(const std::string& picturePath) override { StartPainterWith(appFolder_, picturePath); }

private:
    std::string appFolder_;
};

}  // namespace

bool HasSetCalIn(const std::string& appFolder) {
    WIN32_FIND_DATAW found;
    win::UniqueFind find(FindFirstFileW(Widen(PainterPath(WithTrailingBackslash(appFolder))).c_str(), &found));
    return find && wallset::LowerAscii(Narrow(found.cFileName)) == names::kPainterExeLower;
}

struct WallpaperChanger::Impl {
    Impl(std::string folder, bool hasSetCal, HWND owner)
        : appFolder(WithTrailingBackslash(std::move(folder))),
          platform(owner),
          pool(appFolder, hasSetCal, platform, PlatformProfile()),
          actions(appFolder),
          engine(std::random_device{}() ^
                 static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())) {}

    double Random() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine); }

    std::string appFolder;
    WinPoolPlatform platform;
    PicturePool pool;
    WinActions actions;
    std::mt19937 engine;
};

WallpaperChanger::WallpaperChanger(std::string appFolder, bool hasSetCal, HWND owner)
    : impl_(std::make_unique<Impl>(std::move(appFolder), hasSetCal, owner)) {}

WallpaperChanger::~WallpaperChanger() = default;
WallpaperChanger::WallpaperChanger(WallpaperChanger&&) noexcept = default;
WallpaperChanger& WallpaperChanger::operator=(WallpaperChanger&&) noexcept = default;

bool WallpaperChanger::Set_Collection() {
    return impl_->pool.Set_Collection();
}

bool WallpaperChanger::PoolEmpty() const {
    return impl_->pool.Empty();
}

void WallpaperChanger::Change() {
    win::ComScope com;  // the picture loader needs COM on this thread
    impl_->pool.Change(impl_->actions, [this] { return impl_->Random(); });
}

void WallpaperChanger::StartPainter() {
    StartPainterWith(impl_->appFolder, "");
}

void WallpaperChanger::Centering() {
    cWallSet wall;
    wall.Centering();
}

}  // namespace mb::timer
