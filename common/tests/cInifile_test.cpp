// One table of cases for cInifile, run against every private-profile service the
// platform has: natively ours; under Windows (Wine) both the platform's and ours.
// A case the real service gets wrong under Wine only is marked, not weakened.
#include "ini/cInifile.h"
#include "ini_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace mb {
namespace {

using test::TempFolder;

const std::string kNoFile = "\x01<no file>";

struct IniCase {
    const char* name;
    std::string before;                                      // file bytes, or kNoFile
    std::function<std::string(const cInifile&)> act;         // what the callers see
    std::string result;
    std::string after = kNoFile;                             // file bytes afterwards; kNoFile: not checked
    bool wineDiffers = false;                                // Windows does this, Wine 8 does not
};

std::string Str(long long v) { return std::to_string(v); }

std::string Keys(int n) {
    std::string s = "[TimeSet]\r\n";
    for (int i = 0; i < n; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "%02d:%02d", i / 60, i % 60);
        s += std::string(key) + "=6, , \r\n";
    }
    return s;
}

const std::vector<IniCase>& Cases() {
    static const std::vector<IniCase> cases = {
        // Missing things give the caller's default.
        {"MissingFileReadStr", kNoFile, [](const cInifile& i) { return i.ReadStr("S", "K", "def"); }, "def"},
        {"MissingFileReadInt", kNoFile, [](const cInifile& i) { return Str(i.ReadInt("S", "K", 7)); }, "7"},
        {"MissingFileReadEntrys", kNoFile, [](const cInifile& i) { return i.ReadEntrys("S"); }, std::string(1, '\0')},
        {"MissingKey", "[S]\r\nA=1\r\n", [](const cInifile& i) { return i.ReadStr("S", "B", "d"); }, "d"},
        {"EmptyValueGivesDef", "[S]\r\nK=\r\n", [](const cInifile& i) { return i.ReadStr("S", "K", "d"); }, "d"},
        {"EmptyValueReadIntGivesDef", "[S]\r\nK=\r\n", [](const cInifile& i) { return Str(i.ReadInt("S", "K", 5)); }, "5"},
        // Numbers
        {"ReadInt12", "[S]\r\nK=12\r\n", [](const cInifile& i) { return Str(i.ReadInt("S", "K", -1)); }, "12"},
        {"ReadIntHalfDown", "[S]\r\nK=2.5\r\n", [](const cInifile& i) { return Str(i.ReadInt("S", "K", -1)); }, "2"},
        {"ReadIntHalfUp", "[S]\r\nK=3.5\r\n", [](const cInifile& i) { return Str(i.ReadInt("S", "K", -1)); }, "4"},
        {"ReadIntNegativeHalf", "[S]\r\nK=-2.5\r\n", [](const cInifile& i) { return Str(i.ReadInt("S", "K", 1)); }, "-2"},
        {"ReadIntDigitsThenLetters", "[S]\r\nK=12ab\r\n", [](const cInifile& i) { return Str(i.ReadInt("S", "K", -1)); }, "-1"},
        {"ReadIntOutOfRange", "[S]\r\nK=40000\r\n", [](const cInifile& i) { return Str(i.ReadInt("S", "K", -1)); }, "-1"},
        {"ReadIntRoundsOutOfRange", "[S]\r\nK=32767.5\r\n", [](const cInifile& i) { return Str(i.ReadInt("S", "K", -1)); }, "-1"},
        {"ReadIntLowestValue", "[S]\r\nK=-32768\r\n", [](const cInifile& i) { return Str(i.ReadInt("S", "K", 0)); }, "-32768"},
        {"ReadSingle", "[S]\r\nK=1.25\r\n", [](const cInifile& i) { return Str(static_cast<long long>(i.ReadSingle("S", "K", 0) * 100)); }, "125"},
        {"ReadSingleLetters", "[S]\r\nK=abc\r\n", [](const cInifile& i) { return Str(static_cast<long long>(i.ReadSingle("S", "K", 2.5f) * 10)); }, "25"},
        // Key lists
        {"ReadEntrysTwoKeys", "[S]\r\nA=1\r\nB=2\r\n", [](const cInifile& i) { return i.ReadEntrys("S"); }, std::string("A\0B\0\0", 5)},
        {"ReadEntrysSkipsComments", "[S]\r\n;c=1\r\nA=1\r\nnokey\r\n", [](const cInifile& i) { return i.ReadEntrys("S"); }, std::string("A\0\0", 3)},
        {"ReadEntrys170KeysFit", Keys(170), [](const cInifile& i) { return Str(static_cast<long long>(i.ReadEntrys("TimeSet").size())); }, "1021"},
        // 171 keys need 1026 bytes: the list is cut at 1022 with two NULs, the last key is cut.
        {"ReadEntrys171stKeyCut", Keys(171), [](const cInifile& i) {
             std::string e = i.ReadEntrys("TimeSet");
             return Str(static_cast<long long>(e.size())) + "|" + e.substr(1014);
         }, std::string("1023|02:49\0" "02\0", 14)},
        // Long values
        {"Value2000BytesReads1023", "[S]\r\nK=" + std::string(2000, 'x') + "\r\n", [](const cInifile& i) { return Str(static_cast<long long>(i.ReadStr("S", "K").size())); }, "1023"},
        // Parsing
        {"LineEndsCR", "[S]\rA=1\rB=2\r", [](const cInifile& i) { return i.ReadStr("S", "B"); }, "2"},
        {"LineEndsLF", "[S]\nA=1\nB=2\n", [](const cInifile& i) { return i.ReadStr("S", "B"); }, "2"},
        {"CaseInsensitiveNames", "[Sec]\r\nKey=v\r\n", [](const cInifile& i) { return i.ReadStr("sEC", "KEY"); }, "v"},
        {"BlanksAroundHeaderNameValue", "[ sec ]\r\n  key  =  a b  \r\n", [](const cInifile& i) { return i.ReadStr("sec", "key"); }, "a b"},
        {"QuotesRemoved", "[S]\r\nK=\" x \"\r\n", [](const cInifile& i) { return i.ReadStr("S", "K"); }, " x "},
        {"UnmatchedQuoteKept", "[S]\r\nK=\"x\r\n", [](const cInifile& i) { return i.ReadStr("S", "K"); }, "\"x"},
        {"EqualsInValue", "[S]\r\nK=a=b\r\n", [](const cInifile& i) { return i.ReadStr("S", "K"); }, "a=b"},
        {"FirstDuplicateWins", "[S]\r\nK=1\r\nK=2\r\n", [](const cInifile& i) { return i.ReadStr("S", "K"); }, "1"},
        {"NoInlineComment", "[S]\r\nK=v ; c\r\n", [](const cInifile& i) { return i.ReadStr("S", "K"); }, "v ; c"},
        // Japanese (CP932 in the file)
        {"JapaneseValueWritten", kNoFile, [](const cInifile& i) { i.WriteStr("Main", "Name", "日本語"); return i.ReadStr("Main", "Name"); },
         "日本語", "[Main]\r\nName=\x93\xFA\x96\x7B\x8C\xEA\r\n"},
        {"JapaneseSectionAndKey", "[\x90\xDD\x92\xE8]\r\n\x83\x4C\x81\x5B=\x95\x5C\x83\x5C\r\n", [](const cInifile& i) { return i.ReadStr("設定", "キー"); }, "表ソ"},
        // ア is 83 41; folding its trail byte as if it were 'A' would find 83 61.
        {"TrailByteNotFolded", "[S]\r\n\x83\x61=1\r\n", [](const cInifile& i) { return i.ReadStr("S", "ア", "none"); }, "none"},
        // Writing
        {"WriteCreatesFile", kNoFile, [](const cInifile& i) { return Str(i.WriteStr("App", "key", "v") != 0); }, "1", "[App]\r\nkey=v\r\n"},
        {"WriteEmptyValue", kNoFile, [](const cInifile& i) { i.WriteStr("App", "key", ""); return std::string(); }, "", "[App]\r\nkey=\r\n"},
        {"WriteReplacesInPlace", "[A]\r\nk=1\r\nm=2\r\n", [](const cInifile& i) { i.WriteStr("A", "K", "9"); return std::string(); }, "", "[A]\r\nk=9\r\nm=2\r\n"},
        {"NewKeyAtEndOfItsSection", "[A]\r\nk=1\r\n[B]\r\nx=1\r\n", [](const cInifile& i) { i.WriteStr("A", "n", "2"); return std::string(); }, "",
         "[A]\r\nk=1\r\nn=2\r\n[B]\r\nx=1\r\n"},
        {"NewSectionAppended", "[A]\r\nk=1\r\n", [](const cInifile& i) { i.WriteStr("B", "n", "2"); return std::string(); }, "", "[A]\r\nk=1\r\n[B]\r\nn=2\r\n"},
        {"NewSectionAfterMissingLineEnd", "[A]\r\nk=1", [](const cInifile& i) { i.WriteStr("B", "n", "2"); return std::string(); }, "", "[A]\r\nk=1\r\n[B]\r\nn=2\r\n"},
        {"CommentsAndBlankLinesKept", "; top\r\n\r\n[A]\r\nk = 1\r\n\r\n[B]\r\nx=1\r\n", [](const cInifile& i) { i.WriteStr("B", "x", "2"); return std::string(); }, "",
         "; top\r\n\r\n[A]\r\nk = 1\r\n\r\n[B]\r\nx=2\r\n", true},
        {"LFFileKeepsItsLines", "[A]\nk=1\n[B]\nx=1\n", [](const cInifile& i) { i.WriteStr("B", "x", "2"); return std::string(); }, "", "[A]\nk=1\n[B]\nx=2\n", true},
        // Deleting
        {"DeleteKey", "[A]\r\nk=1\r\nm=2\r\n", [](const cInifile& i) { i.DeleteKey("A", "k"); return i.ReadStr("A", "k", "gone"); }, "gone", "[A]\r\nm=2\r\n"},
        {"DeleteLastKeyKeepsHeader", "[A]\r\nk=1\r\n", [](const cInifile& i) { i.DeleteKey("A", "k"); return std::string(); }, "", "[A]\r\n"},
        {"DeleteAbsentKeyChangesNothing", "[A]\r\n\r\nk=1\r\n", [](const cInifile& i) { return Str(i.DeleteKey("A", "zz") != 0); }, "1", "[A]\r\n\r\nk=1\r\n"},
        {"DeleteSection", "[A]\r\nk=1\r\n[B]\r\nx=1\r\n", [](const cInifile& i) { i.DeleteSection("a"); return i.ReadEntrys("A"); }, std::string(1, '\0'), "[B]\r\nx=1\r\n"},
        {"RefreshChangesNothing", "[A]\r\n\r\nk=1\r\n", [](const cInifile& i) { i.Refresh(); return i.ReadStr("A", "k"); }, "1", "[A]\r\n\r\nk=1\r\n"},
        {"RefreshRemovesSection0", "[A]\r\nk=1\r\n[0]\r\nz=1\r\n", [](const cInifile& i) { i.Refresh(); return std::string(); }, "", "[A]\r\nk=1\r\n"},
    };
    return cases;
}

struct Backend {
    const char* name;
    const ProfileService& (*service)();
    bool platformUnderWine;
};

std::vector<Backend> Backends() {
#ifdef _WIN32
    return {{"Platform", &PlatformProfile, true}, {"Own", &OwnProfile, false}};
#else
    return {{"Own", &OwnProfile, false}};
#endif
}

std::string Printable(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            char b[8];
            std::snprintf(b, sizeof b, "\\x%02X", c);
            out += b;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

class IniTable : public ::testing::TestWithParam<Backend> {};

TEST_P(IniTable, EveryCase) {
    const Backend& backend = GetParam();
    for (const IniCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        std::string file = dir.File("t.ini");
        if (c.before != kNoFile) test::WriteBytes(file, c.before);
        cInifile ini(backend.service());
        ini.FileName(file);
        std::string result = c.act(ini);
        std::string after = test::Exists(file) ? test::ReadBytes(file) : kNoFile;
        bool matches = result == c.result && (c.after == kNoFile || after == c.after);
        if (c.wineDiffers && backend.platformUnderWine && test::UnderWine()) {
            if (matches) ADD_FAILURE() << "known Wine deviation no longer differs";
            continue;
        }
        EXPECT_EQ(Printable(result), Printable(c.result));
        if (c.after != kNoFile) {
            EXPECT_EQ(Printable(after), Printable(c.after));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, IniTable, ::testing::ValuesIn(Backends()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniNumbers, NumericSyntax) {
    struct { const char* text; bool numeric; } cases[] = {
        {"12", true}, {" 12 ", true}, {"-3.5", true}, {"+.5", true}, {"1e3", true}, {"1.", true},
        {"", false}, {".", false}, {"12ab", false}, {"1e", false}, {"--1", false}, {"1 2", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsNumericText(c.text), c.numeric) << c.text;
}

TEST(IniWriteFailure, UnwritableFolderReturnsZeroAndKeepsNothing) {
    cInifile ini;
    TempFolder dir;
    ini.FileName(dir.File("no such folder/t.ini"));
    EXPECT_EQ(ini.WriteStr("A", "k", "v"), 0);
    EXPECT_EQ(ini.ReadStr("A", "k", "d"), "d");
}

TEST(IniOwnService, ChangeLeavesNoTemporaryFileBehind) {
    TempFolder dir;
    cInifile ini(OwnProfile());
    ini.FileName(dir.File("t.ini"));
    for (int i = 0; i < 20; ++i) ini.WriteStr("A", "k" + std::to_string(i % 3), std::to_string(i));
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) { (void)e; ++files; }
    EXPECT_EQ(files, 1);
    EXPECT_EQ(ini.ReadStr("A", "k1"), "19");
}

std::string Hex(const std::string& s) {
    std::string out;
    for (unsigned char c : s) { char b[4]; std::snprintf(b, sizeof b, "%02X", c); out += b; }
    return out;
}

// Another process writes, this one reads; then the other way round.
TEST(IniTwoProcesses, WriteThenReadAcrossProcesses) {
    TempFolder dir;
    std::string file = dir.File("shared.ini"), out = dir.File("out.txt");
    ASSERT_EQ(test::RunBeside("ini_tool", "write " + Hex(file) + " " + Hex("PrevInstance") + " " + Hex("Close") + " " + Hex("Hide")), 0);
    cInifile ini;
    ini.FileName(file);
    EXPECT_EQ(ini.ReadStr("PrevInstance", "Close"), "Hide");
    ini.WriteStr("PrevInstance", "Close", "True");
    ini.Refresh();
    ASSERT_EQ(test::RunBeside("ini_tool", "read " + Hex(file) + " " + Hex("PrevInstance") + " " + Hex("Close") + " " + Hex(out)), 0);
    EXPECT_EQ(test::ReadBytes(out), "True");
    ASSERT_EQ(test::RunBeside("ini_tool", "write " + Hex(file) + " " + Hex("PrevInstance") + " " + Hex("Close") + " " + Hex("日本語")), 0);
    EXPECT_EQ(ini.ReadStr("PrevInstance", "Close"), "日本語");
}

#ifdef _WIN32
// What one service writes, the other reads alike.
TEST(IniAcrossBackends, EachReadsWhatTheOtherWrote) {
    const std::vector<std::pair<std::string, std::string>> values = {
        {"Time", "07:00"}, {"Text", "$Time$ です、表示ソフト"}, {"Blank", " "}, {"Long", std::string(900, 'y')}};
    const ProfileService* services[] = {&PlatformProfile(), &OwnProfile()};
    for (int w = 0; w < 2; ++w) {
        TempFolder dir;
        cInifile writer(*services[w]), reader(*services[1 - w]);
        writer.FileName(dir.File("x.ini"));
        reader.FileName(dir.File("x.ini"));
        for (const auto& [k, v] : values) writer.WriteStr("セクション", k, v);
        writer.WriteStr("Other", "a", "1");
        writer.DeleteKey("Other", "a");
        for (const auto& [k, v] : values) {
            std::string expect = v == " " ? "d" : v;  // a lone blank is trimmed away on read
            EXPECT_EQ(reader.ReadStr("セクション", k, "d"), expect) << "writer " << w << " key " << k;
        }
        EXPECT_EQ(reader.ReadEntrys("セクション"), std::string("Time\0Text\0Blank\0Long\0\0", 22)) << "writer " << w;
        EXPECT_EQ(reader.ReadEntrys("Other"), std::string(1, '\0'));
    }
}
#endif

}  // namespace
}  // namespace mb
