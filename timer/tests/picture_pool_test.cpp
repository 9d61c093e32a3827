// The picture pool: which folder, which files, each picture once per pass, and
// what a wallpaper change does in either mode.
#include "logic/picture_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace mb::timer {
namespace {

// Folders and files in memory. Listing is by "folder\*.ext" only, as the pool asks.
class FakeDisk : public PoolPlatform {
public:
    std::set<std::string> folders;
    std::map<std::string, std::vector<std::string>> files;  // folder -> names in listing order
    std::int32_t height = 768;
    int notices = 0;
    std::vector<std::string> created;
    bool createFails = false;

    void Add(const std::string& folder, std::vector<std::string> names) {
        folders.insert(folder);
        for (auto& n : names) files[folder].push_back(n);
    }
    bool Exists(const std::string& path) const override {
        if (folders.count(path)) return true;
        auto cut = path.rfind('\\');
        auto it = files.find(path.substr(0, cut));
        return it != files.end() && std::count(it->second.begin(), it->second.end(), path.substr(cut + 1));
    }
    std::vector<std::string> List(const std::string& pattern) const override {
        auto cut = pattern.rfind('\\');
        std::string folder = pattern.substr(0, cut), ext = pattern.substr(cut + 2);  // skip "\*"
        std::vector<std::string> out;
        auto it = files.find(folder);
        if (it == files.end()) return out;
        for (const auto& n : it->second) {
            std::string lower = n;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (lower.find(ext) != std::string::npos) out.push_back(n);  // loose, like 8.3 matching
        }
        return out;
    }
    void CreateFolder(const std::string& path) override {
        if (createFails) throw std::runtime_error("アクセスが拒否されました。");
        created.push_back(path);
        folders.insert(path);
    }
    void TellPictureFolderCreated() override { ++notices; }
    std::int32_t ScreenPixelsHeight() const override { return height; }
};

// Private-profile files in memory: file -> "section/key" -> value.
class FakeProfile : public ProfileService {
public:
    std::map<std::string, std::map<std::string, std::string>> data;
    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buffer, std::uint32_t size,
                            const std::string& file) const override {
        std::string value = def ? def : "";
        auto f = data.find(file);
        if (f != data.end()) {
            auto v = f->second.find(std::string(section) + "/" + key);
            if (v != f->second.end()) value = v->second;
        }
        std::uint32_t n = std::min<std::uint32_t>(static_cast<std::uint32_t>(value.size()), size - 1);
        std::memcpy(buffer, value.data(), n);
        buffer[n] = '\0';
        return n;
    }
    std::int32_t WriteString(const char*, const char*, const char*, const std::string&) const override {
        ADD_FAILURE() << "the host settings file is never written";
        return 0;
    }
};

class Recorder : public WallpaperActions {
public:
    std::vector<std::string> log;  // "set <path>", "set fallback", "paint <path>"
    bool painterMissing = false;
    void SetWallpaper(const std::optional<std::string>& p) override { log.push_back("set " + p.value_or("fallback")); }
    void StartPainter(const std::string& p) override {
        if (painterMissing) throw std::runtime_error("指定されたファイルが見つかりません。");
        log.push_back("paint " + p);
    }
};

const std::string kApp = "C:\\Program Files\\MB\\";
const std::string kWallPics = kApp + "WallPics";
const std::string kHostIni = kApp + "Murabell.ini";

// Random numbers from a list, repeated when it runs out.
std::function<double()> Sequence(std::vector<double> values) {
    return [values, i = std::size_t{0}]() mutable { return values[i++ % values.size()]; };
}

TEST(PicturePoolStandAlone, FirstStartCreatesWallPicsAfterTellingTheUser) {
    FakeDisk disk;
    FakeProfile host;
    PicturePool pool(kApp, false, disk, host);
    EXPECT_FALSE(pool.Set_Collection());
    EXPECT_EQ(disk.notices, 1);
    EXPECT_EQ(disk.created, std::vector<std::string>{kWallPics});
    EXPECT_TRUE(pool.Empty());
    // The second time the folder is there: no box.
    EXPECT_FALSE(pool.Set_Collection());
    EXPECT_EQ(disk.notices, 1);
}

TEST(PicturePoolStandAlone, FolderThatCannotBeMadeIsACollectionError) {
    FakeDisk disk;
    disk.createFails = true;
    FakeProfile host;
    PicturePool pool(kApp, false, disk, host);
    try {
        pool.Set_Collection();
        FAIL() << "no error";
    } catch (const CollectionError& e) {
        EXPECT_STREQ(e.what(), "アクセスが拒否されました。");
    }
}

TEST(PicturePoolStandAlone, NoticeHasItsFourLines) {
    EXPECT_EQ(PictureFolderNotice(),
              "画像用フォルダ【WallPics】を作成します。\r\n壁紙の変更を行うには、このフォルダ内に \r\n"
              "画像ファイルを保存しておく必要があります。\r\n（単独での使用の場合）");
}

TEST(PicturePoolStandAlone, PatternsInOrderPngOnlyWithThePlugIn) {
    struct Case {
        const char* name;
        bool plugin;
        std::vector<std::string> want;
    } cases[] = {
        {"without plug-in", false, {"a.bmp", "d.jpeg", "b.JPG", "c.jpg"}},
        {"with plug-in", true, {"a.bmp", "e.png", "d.jpeg", "b.JPG", "c.jpg"}},
    };
    for (const auto& c : cases) {
        FakeDisk disk;
        // "x.jpgx" and "y.bmp.txt" are what loose 8.3 matching might give; "f.gif" is no picture.
        disk.Add(kWallPics, {"b.JPG", "e.png", "a.bmp", "f.gif", "c.jpg", "d.jpeg", "x.jpgx", "y.bmp.txt"});
        if (c.plugin) disk.Add(kApp.substr(0, kApp.size() - 1), {"ifpng.spi"});
        FakeProfile host;
        PicturePool pool(kApp, false, disk, host);
        EXPECT_FALSE(pool.Set_Collection());
        std::vector<std::string> want;
        for (const auto& n : c.want) want.push_back(kWallPics + "\\" + n);
        EXPECT_EQ(pool.Pictures(), want) << c.name;
    }
}

TEST(PicturePoolStandAlone, EachPictureOncePerPassThenANewPass) {
    FakeDisk disk;
    disk.Add(kWallPics, {"a.bmp", "b.jpg", "c.jpeg"});
    FakeProfile host;
    PicturePool pool(kApp, false, disk, host);
    pool.Set_Collection();
    Recorder r;
    // The pool lists a.bmp, c.jpeg, b.jpg; 0.99 takes the last one left, 0.0 the first.
    auto random = Sequence({0.99, 0.0, 0.0, 0.5});
    for (int i = 0; i < 4; ++i) pool.Change(r, random);
    EXPECT_EQ(r.log, (std::vector<std::string>{"set " + kWallPics + "\\b.jpg", "set " + kWallPics + "\\a.bmp",
                                               "set " + kWallPics + "\\c.jpeg", "set " + kWallPics + "\\c.jpeg"}));
    EXPECT_EQ(pool.Pictures().size(), 2u);  // refilled after the third, one taken by the fourth
    EXPECT_EQ(disk.notices, 0);
}

TEST(PicturePoolStandAlone, VanishedPictureGivesTheFallbackAndLeavesThePool) {
    FakeDisk disk;
    disk.Add(kWallPics, {"a.bmp", "b.jpg"});
    FakeProfile host;
    PicturePool pool(kApp, false, disk, host);
    pool.Set_Collection();
    disk.files[kWallPics] = {"b.jpg"};  // a.bmp deleted after the pool was built
    Recorder r;
    pool.Change(r, Sequence({0.0}));
    EXPECT_EQ(r.log, std::vector<std::string>{"set fallback"});
    EXPECT_EQ(pool.Pictures(), std::vector<std::string>{kWallPics + "\\b.jpg"});
}

TEST(PicturePoolStandAlone, EmptyPoolShowsTheFallbackAndIsNotRefilled) {
    FakeDisk disk;
    disk.folders.insert(kWallPics);
    FakeProfile host;
    PicturePool pool(kApp, false, disk, host);
    pool.Set_Collection();
    disk.Add(kWallPics, {"new.bmp"});  // added while running: waits for the next rebuild
    Recorder r;
    pool.Change(r, Sequence({0.3}));
    pool.Change(r, Sequence({0.3}));
    EXPECT_EQ(r.log, (std::vector<std::string>{"set fallback", "set fallback"}));
    EXPECT_TRUE(pool.Empty());
}

TEST(PicturePoolHostMode, WhichFolderAndResult) {
    const std::string tall = "D:\\pics 768", deflt = "D:\\default";
    struct Case {
        const char* name;
        std::map<std::string, std::string> folder;  // [Folder] keys
        bool result;
        std::string from;  // folder the pictures come from, empty: none
    } cases[] = {
        {"height folder", {{"Setting", "True"}, {"X768", tall}, {"Default", deflt}}, true, tall},
        {"no key for this height: no fallback", {{"Setting", "True"}, {"X1024", tall}, {"Default", deflt}}, false, ""},
        {"height key names no folder", {{"Setting", "True"}, {"X768", "D:\\gone"}, {"Default", deflt}}, false, ""},
        {"Setting missing: Default", {{"X768", tall}, {"Default", deflt}}, false, deflt},
        {"Setting not exactly True", {{"Setting", "true"}, {"X768", tall}, {"Default", deflt}}, false, deflt},
        {"nothing set", {}, false, ""},
    };
    for (const auto& c : cases) {
        FakeDisk disk;
        disk.Add(tall, {"t.bmp"});
        disk.Add(deflt, {"d.jpg"});
        FakeProfile host;
        for (const auto& [k, v] : c.folder) host.data[kHostIni]["Folder/" + k] = v;
        PicturePool pool(kApp, true, disk, host);
        EXPECT_EQ(pool.Set_Collection(), c.result) << c.name;
        std::vector<std::string> want;
        if (c.from == tall) want = {tall + "\\t.bmp"};
        if (c.from == deflt) want = {deflt + "\\d.jpg"};
        EXPECT_EQ(pool.Pictures(), want) << c.name;
        EXPECT_EQ(disk.notices, 0) << c.name;
        EXPECT_TRUE(disk.created.empty()) << c.name;
    }
}

TEST(PicturePoolHostMode, HeightKeyFollowsTheScreen) {
    FakeDisk disk;
    disk.Add("E:\\p1024", {"a.bmp"});
    disk.height = 1024;
    FakeProfile host;
    host.data[kHostIni] = {{"Folder/Setting", "True"}, {"Folder/X1024", "E:\\p1024\\"}};
    PicturePool pool(kApp, true, disk, host);
    disk.folders.insert("E:\\p1024\\");
    EXPECT_TRUE(pool.Set_Collection());
    EXPECT_EQ(pool.Pictures(), std::vector<std::string>{"E:\\p1024\\a.bmp"});  // a trailing "\" is not doubled
}

TEST(PicturePoolHostMode, ChangesGoToThePainterAndEmptyPoolToTheFallback) {
    FakeDisk disk;
    disk.Add("D:\\p", {"a.bmp", "b.bmp"});
    FakeProfile host;
    host.data[kHostIni] = {{"Folder/Default", "D:\\p"}};
    PicturePool pool(kApp, true, disk, host);
    pool.Set_Collection();
    Recorder r;
    pool.Change(r, Sequence({0.5}));
    pool.Change(r, Sequence({0.5}));  // empties the pool, which refills at once
    EXPECT_EQ(r.log, (std::vector<std::string>{"paint D:\\p\\b.bmp", "paint D:\\p\\a.bmp"}));
    EXPECT_EQ(pool.Pictures().size(), 2u);

    host.data[kHostIni].clear();
    pool.Set_Collection();
    ASSERT_TRUE(pool.Empty());
    host.data[kHostIni] = {{"Folder/Default", "D:\\p"}};
    r.log.clear();
    pool.Change(r, Sequence({0.5}));  // empty: the fallback, set directly, then a rebuild
    EXPECT_EQ(r.log, std::vector<std::string>{"set fallback"});
    EXPECT_EQ(pool.Pictures().size(), 2u);
}

TEST(PicturePoolHostMode, PainterThatCannotStartKeepsThePicture) {
    FakeDisk disk;
    disk.Add("D:\\p", {"a.bmp"});
    FakeProfile host;
    host.data[kHostIni] = {{"Folder/Default", "D:\\p"}};
    PicturePool pool(kApp, true, disk, host);
    pool.Set_Collection();
    Recorder r;
    r.painterMissing = true;
    EXPECT_THROW(pool.Change(r, Sequence({0.0})), std::runtime_error);
    EXPECT_EQ(pool.Pictures().size(), 1u);
}

TEST(PicturePoolChoice, WholePartOfRTimesCount) {
    struct Case {
        double r;
        std::size_t count, want;
    } cases[] = {
        {0.0, 3, 0},       {0.3333, 3, 0}, {0.3334, 3, 1},
        {0.9999999, 3, 2}, {1.0, 3, 2},    {-0.1, 3, 0},  // a source out of its range still picks a picture
    };
    for (const auto& c : cases) EXPECT_EQ(PicturePool::Choose(c.r, c.count), c.want) << c.r;
}

}  // namespace
}  // namespace mb::timer
