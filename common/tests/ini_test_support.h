#pragma once
// A fresh folder per test, and the way to run the helper program beside the test.
#include <filesystem>
#include <string>

namespace mb::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    // UTF-8 path of a file in the folder.
    std::string File(const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& utf8Path);
void WriteBytes(const std::string& utf8Path, const std::string& bytes);
bool Exists(const std::string& utf8Path);
// Runs a program that lies beside the test executable; returns its exit code.
int RunBeside(const std::string& program, const std::string& arguments);
// True when running under Wine rather than on Windows or natively.
bool UnderWine();

}  // namespace mb::test
