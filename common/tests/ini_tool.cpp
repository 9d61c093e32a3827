// A second process for the INI tests: writes or reads one value through cInifile.
// Arguments are hex-encoded UTF-8, so no quoting or code page gets in the way.
//   ini_tool write <file> <section> <key> <value>
//   ini_tool read  <file> <section> <key> <result-file>
#include "ini/cInifile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
std::string Unhex(const std::string& h) {
    std::string out;
    for (size_t i = 0; i + 1 < h.size(); i += 2) out += static_cast<char>(std::stoi(h.substr(i, 2), nullptr, 16));
    return out;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) return 2;
    std::string op = argv[1];
    mb::cInifile ini;
    ini.FileName(Unhex(argv[2]));
    if (op == "write") return ini.WriteStr(Unhex(argv[3]), Unhex(argv[4]), Unhex(argv[5])) != 0 ? 0 : 1;
    if (op == "read") {
        std::string value = ini.ReadStr(Unhex(argv[3]), Unhex(argv[4]), "<none>");
        std::string out = Unhex(argv[5]);
        std::ofstream(std::filesystem::path(std::u8string(out.begin(), out.end())), std::ios::binary) << value;
        return 0;
    }
    return 2;
}
