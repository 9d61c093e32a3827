#include "picture_pool.h"

#include "ini/cInifile.h"
#include "outside_programs.h"
#include "wallset_logic/wallset_registry.h"

#include <algorithm>
#include <utility>

namespace mb::timer {

namespace {

std::string Join(const std::string& folder, std::string_view name) {
    return WithTrailingBackslash(folder) + std::string(name);
}

bool EndsWithNoCase(std::string_view name, std::string_view ending) {
    return name.size() >= ending.size() &&
           wallset::LowerAscii(name.substr(name.size() - ending.size())) == wallset::LowerAscii(ending);
}

}  // namespace

std::string PictureFolderNotice() {
    return "画像用フォルダ【WallPics】を作成します。\r\n"
           "壁紙の変更を行うには、このフォルダ内に \r\n"
           "画像ファイルを保存しておく必要があります。\r\n"
           "（単独での使用の場合）";
}

PicturePool::PicturePool(std::string appFolder, bool hasSetCal, PoolPlatform& platform, const ProfileService& profile)
    : appFolder_(WithTrailingBackslash(std::move(appFolder))),
      hasSetCal_(hasSetCal),
      platform_(platform),
      profile_(profile) {}

bool PicturePool::Set_Collection() {
    try {
        return Fill();
    } catch (const CollectionError&) {
        throw;
    } catch (const std::exception& e) {
        throw CollectionError(e.what());
    }
}

bool PicturePool::Fill() {
    const bool withPng = platform_.Exists(appFolder_ + std::string(names::kPngPlugin));
    pictures_.clear();
    bool result = false;
    std::string folder;
    if (!hasSetCal_) {
        folder = appFolder_ + std::string(names::kPictureFolder);
        if (!platform_.Exists(folder)) {
            platform_.TellPictureFolderCreated();
            platform_.CreateFolder(folder);
        }
    } else {
        cInifile host(profile_);
        host.FileName(appFolder_ + std::string(names::kHostIni));
        if (host.ReadStr(names::kFolderSection, names::kFolderSettingKey) == "True") {
            // No fallback to "Default": a screen height without its own folder gets no pictures.
            std::string key =
                std::string(names::kFolderHeightKeyPrefix) + std::to_string(platform_.ScreenPixelsHeight());
            folder = host.ReadStr(names::kFolderSection, key);
            result = !folder.empty() && platform_.Exists(folder);
        } else {
            folder = host.ReadStr(names::kFolderSection, names::kFolderDefaultKey);
        }
    }
    if (!folder.empty() && platform_.Exists(folder)) AddFolder(folder, withPng);
    return result;
}

void PicturePool::AddFolder(const std::string& folder, bool withPng) {
    for (std::string_view extension : {".bmp", ".png", ".jpeg", ".jpg"}) {
        if (extension == ".png" && !withPng) continue;
        std::string pattern = "*";
        pattern += extension;
        for (const std::string& name : platform_.List(Join(folder, pattern))) {
            // The platform also matches short 8.3 names ("*.jpg" could find "x.jpgx");
            // only the real extension counts, so no picture enters twice.
            if (EndsWithNoCase(name, extension)) pictures_.push_back(Join(folder, name));
        }
    }
}

std::size_t PicturePool::Choose(double r, std::size_t count) {
    if (count == 0) return 0;
    if (!(r >= 0)) r = 0;
    return std::min(static_cast<std::size_t>(r * static_cast<double>(count)), count - 1);
}

std::string PicturePool::Take(const std::function<double()>& random) {
    std::size_t k = Choose(random(), pictures_.size());
    std::string path = std::move(pictures_[k]);
    pictures_.erase(pictures_.begin() + static_cast<std::ptrdiff_t>(k));
    return path;
}

void PicturePool::Change(WallpaperActions& actions, const std::function<double()>& random) {
    if (hasSetCal_) {
        if (pictures_.empty()) {
            actions.SetWallpaper(std::nullopt);
            Set_Collection();
            return;
        }
        std::size_t k = Choose(random(), pictures_.size());
        actions.StartPainter(pictures_[k]);  // a painter that cannot start keeps the picture in the pool
        pictures_.erase(pictures_.begin() + static_cast<std::ptrdiff_t>(k));
        if (pictures_.empty()) Set_Collection();
        return;
    }
    std::optional<std::string> picture;
    if (!pictures_.empty()) {
        std::string path = Take(random);
        if (platform_.Exists(path)) picture = std::move(path);  // a vanished file gives the fallback
        if (pictures_.empty()) Set_Collection();
    }
    actions.SetWallpaper(picture);
}

}  // namespace mb::timer
