#pragma once
// The fixed names by which the suite meets its own programs, the host program
// Murabell and the calendar painter MBSetCal. Everything lives in one folder.
#include <string>
#include <string_view>

namespace mb::names {

// Programs
inline constexpr std::string_view kHostExe = "Murabell.exe";
inline constexpr std::string_view kPainterExe = "MBSetCal.exe";
inline constexpr std::string_view kPainterExeLower = "mbsetcal.exe";  // host mode when the listing gives this
inline constexpr std::string_view kTimerExe = "MBTimer.exe";
inline constexpr std::string_view kTimerHiddenSwitch = "/H";

// Settings files
inline constexpr std::string_view kHostIni = "Murabell.ini";
inline constexpr std::string_view kTimerIni = "MBTimer.ini";
inline constexpr std::string_view kLauncherIni = "MBTimerH.ini";

// Host settings file: picture folders (read by MBTimer only)
inline constexpr std::string_view kFolderSection = "Folder";
inline constexpr std::string_view kFolderSettingKey = "Setting";
inline constexpr std::string_view kFolderDefaultKey = "Default";
inline constexpr std::string_view kFolderHeightKeyPrefix = "X";  // "X" + screen height in pixels
// Host settings file: the editor's holiday marks and header texts
inline constexpr std::string_view kHolidaySection = "Holyday";
inline constexpr std::string_view kBeforeAfterSection = "BeforeAfter";
inline constexpr std::string_view kIfNoMessageSection = "IfNoMessage";

// Monthly message files: "MB" + yyyymm + ".mes"
inline constexpr std::string_view kMessageFilePrefix = "MB";
inline constexpr std::string_view kMessageFileSuffix = ".mes";

// Beside MBTimer
inline constexpr std::string_view kPictureFolder = "WallPics";
inline constexpr std::string_view kPngPlugin = "ifpng.spi";

}  // namespace mb::names

namespace mb {

// The program folder always ends in one "\".
inline std::string WithTrailingBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

// A command line whose program path is quoted, so that a folder such as
// "C:\Program Files\..." cannot start "C:\Program.exe" instead. The arguments
// pass exactly as given.
inline std::string QuotedCommandLine(std::string_view program, std::string_view arguments) {
    std::string line;
    line.reserve(program.size() + arguments.size() + 3);
    line.append("\"").append(program).append("\"");
    if (!arguments.empty()) line.append(" ").append(arguments);
    return line;
}

}  // namespace mb
