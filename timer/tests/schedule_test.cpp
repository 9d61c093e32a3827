// Loading the schedule from MBTimer.ini, through the real INI service of the
// platform (ours natively, the system's under Wine).
#include "ini_test_support.h"
#include "logic/schedule.h"
#include "text/ansi.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace mb::timer {
namespace {

TEST(ParseTime, AcceptsTimesOnly) {
    struct { const char* text; const char* hhnn; } cases[] = {
        {"07:00", "07:00"}, {"7:5", "07:05"}, {"0:0", "00:00"}, {"23:59:59", "23:59"}, {"12:30:5", "12:30"},
        {"24:00", nullptr}, {"12:60", nullptr}, {"12:00:60", nullptr}, {"abc", nullptr}, {"", nullptr},
        {"123:00", nullptr}, {"12:000", nullptr}, {"12:", nullptr}, {":30", nullptr}, {"12:3x", nullptr},
        {"-1:00", nullptr}, {"1:2:3:4", nullptr}, {"12.30", nullptr}, {"2024/01/01", nullptr},
    };
    for (const auto& c : cases) {
        auto t = ParseTime(c.text);
        EXPECT_EQ(t ? FormatHhNn(*t) : "-", c.hhnn ? c.hhnn : "-") << c.text;
    }
}

TEST(RowList, KeepsTextOrderByCharacterCodesNewRowsAfterEqualOnes) {
    RowList list;
    const std::vector<std::pair<const char*, int>> added = {{"12:30", 1}, {"07:00", 2}, {"7:05", 3}, {"23:00", 4},
                                                            {"07:00", 5}, {"10:00", 6}, {"1:00", 7}};
    for (const auto& [text, tag] : added) list.Add(text, tag, true);
    std::string order;
    for (int r = 0; r < list.Count(); ++r) order += list.Text(r) + "/" + std::to_string(list.Tag(r)) + " ";
    // "10:00" before "1:00": ':' comes after '0', as the tick's comparison sees it.
    EXPECT_EQ(order, "07:00/2 07:00/5 10:00/6 12:30/1 1:00/7 23:00/4 7:05/3 ");
}

TEST(RowData, PacksSlotAndCheckMarkIntoOneInteger) {
    for (int tag : {1, 2, 170, 100000})
        for (bool checked : {false, true}) {
            long long d = PackRowData(tag, checked);
            EXPECT_EQ(TagOfRowData(d), tag);
            EXPECT_EQ(CheckedInRowData(d), checked);
        }
}

// What Load_Data made of a file, in one line: rows (text/slot, * when checked),
// then each slot's flags|message|sound.
std::string Describe(const LoadOutcome& o, const RowList& list, const ScheduleTables& t) {
    std::string s = o.badData ? "bad; " : "";
    for (int r = 0; r < list.Count(); ++r)
        s += list.Text(r) + "/" + std::to_string(list.Tag(r)) + (list.Checked(r) ? "*" : "") + " ";
    s += ";";
    for (int slot = 1; slot <= t.LastSlot(); ++slot)
        s += " " + std::to_string(t.ActionFlags[slot]) + "|" + t.MessageTexts[slot] + "|" + t.SoundFiles[slot];
    return s;
}

struct LoadCase {
    const char* name;
    const char* file;  // UTF-8; written in the ANSI code page
    const char* expected;
};

class LoadData : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadData, GivesRowsAndTables) {
    test::TempFolder folder;
    const std::string path = folder.File("MBTimer.ini");
    if (*GetParam().file) test::WriteBytes(path, ToAnsi(GetParam().file));
    cInifile ini;
    ini.FileName(path);
    RowList list;
    list.Add("99:99", 1, true);  // Load_Data starts from an empty list
    ScheduleTables tables;
    LoadOutcome o = Load_Data(ini, list, tables);
    EXPECT_EQ(o.rows, list.Count());
    EXPECT_EQ(Describe(o, list, tables), GetParam().expected);
}

const LoadCase kLoadCases[] = {
    {"NoFile", "", ";"},
    {"NoSection", "[Position]\r\nMessageX= 100\r\n", ";"},
    {"EmptySection", "[TimeSet]\r\n[Position]\r\n", ";"},
    {"TwoKeysInTimeOrder", "[TimeSet]\r\n07:00=1,$Time$,x\r\n12:30=6,Lunch,c:\\a.wav\r\n",
     "07:00/1* 12:30/2* ; 1|$Time$|x 6|Lunch|c:\\a.wav"},
    {"SlotsFollowTheFileNotTheTime", "[TimeSet]\r\n12:30=6,Lunch,c:\\a.wav\r\n07:00=1,$Time$,x\r\n",
     "07:00/2* 12:30/1* ; 6|Lunch|c:\\a.wav 1|$Time$|x"},
    {"KeyThatIsNoTimeIsDropped", "[TimeSet]\r\n07:00=1,a,b\r\nabc=1,a,b\r\n08:00=2,c,d\r\n",
     "bad; 07:00/1* 08:00/2* ; 1|a|b 2|c|d"},
    {"ShortKeyKeepsItsText", "[TimeSet]\r\n23:00=1,a,b\r\n7:05=1,c,d\r\n", "23:00/1* 7:05/2* ; 1|a|b 1|c|d"},
    {"ValueWithOneCommaIsDropped", "[TimeSet]\r\n07:00=1,Hello\r\n08:00=2,c,d\r\n", "bad; 08:00/1* ; 2|c|d"},
    {"EmptyValueIsDropped", "[TimeSet]\r\n07:00=\r\n08:00=2,c,d\r\n", "bad; 08:00/1* ; 2|c|d"},
    {"FlagsThatAreNoNumberAreDropped", "[TimeSet]\r\n07:00=x,a,b\r\n08:00=2,c,d\r\n09:00=,e,f\r\n",
     "bad; 08:00/1* ; 2|c|d"},
    {"FlagsOutside16BitsAreDropped", "[TimeSet]\r\n07:00=32768,a,b\r\n08:00=-32768,c,d\r\n09:00=32767.5,e,f\r\n",
     "bad; 08:00/1* ; -32768|c|d"},
    {"FlagsRoundHalvesToEven", "[TimeSet]\r\n07:00=6.5,a,b\r\n08:00=7.5,c,d\r\n09:00=+2.4,e,f\r\n",
     "07:00/1* 08:00/2* 09:00/3* ; 6|a|b 8|c|d 2|e|f"},
    {"MessageWithCommaSpillsIntoSoundFile", "[TimeSet]\r\n07:00=1,Hi, there,c:\\a.wav\r\n",
     "07:00/1* ; 1|Hi| there,c:\\a.wav"},
    {"EmptyMessageAndSound", "[TimeSet]\r\n07:00=2,,\r\n", "07:00/1* ; 2||"},
    {"JapaneseText", "[TimeSet]\r\n07:00=2,おはよう $Time$,c:\\音\\鐘.wav\r\n", "07:00/1* ; 2|おはよう $Time$|c:\\音\\鐘.wav"},
    {"OnlyBadEntries", "[TimeSet]\r\nabc=1,a,b\r\n07:00=1\r\n", "bad; ;"},
    {"SameTimeTwice", "[TimeSet]\r\n07:00=1,a,b\r\n7:00=2,c,d\r\n", "07:00/1* 7:00/2* ; 1|a|b 2|c|d"},
};

INSTANTIATE_TEST_SUITE_P(Cases, LoadData, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoadDataTables, StayAsTheyWereWhenNothingLoads) {
    test::TempFolder folder;
    cInifile ini;
    ini.FileName(folder.File("MBTimer.ini"));
    RowList list;
    ScheduleTables tables;
    tables.Recreate(3);
    tables.ActionFlags[2] = 5;
    Load_Data(ini, list, tables);
    EXPECT_EQ(tables.LastSlot(), 3);
    EXPECT_EQ(tables.ActionFlags[2], 5);
}

}  // namespace
}  // namespace mb::timer
