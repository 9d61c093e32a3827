#pragma once
// Stand-ins for the clock, the settings file and the tick's effects, so whole
// days can be run in a moment.
#include "ini/profile_service.h"
#include "logic/tick.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace mb::timer::test {

// Settings in memory: single keys only (reads, writes, deleting a section).
class MemoryProfile final : public ProfileService {
public:
    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buffer,
                            std::uint32_t size, const std::string&) const override {
        ++reads;
        std::string v = def;
        auto s = data.find(section);
        if (key && s != data.end()) {
            auto k = s->second.find(key);
            if (k != s->second.end()) v = k->second;
        }
        v = v.substr(0, size - 1);
        v.copy(buffer, v.size());
        buffer[v.size()] = '\0';
        return static_cast<std::uint32_t>(v.size());
    }
    std::int32_t WriteString(const char* section, const char* key, const char* value,
                             const std::string&) const override {
        if (!key) data.erase(section);
        else if (!value) data[section].erase(key);
        else data[section][key] = value;
        return 1;
    }
    mutable std::map<std::string, std::map<std::string, std::string>> data;
    mutable long reads = 0;
};

class FakeClock final : public Clock {
public:
    TimeOfDay Now() const override { return {seconds / 3600, seconds / 60 % 60, seconds % 60}; }
    void Set(int h, int m, int s = 0) { seconds = h * 3600 + m * 60 + s; }
    int seconds = 0;
};

// Records what the tick did, one line per effect.
class RecordingActions final : public TickActions {
public:
    bool SoundOpen() const override { return soundOpen; }
    void StopSound() override { log.push_back("stop"); soundOpen = false; }
    bool FileExists(const std::string& path) const override { return files.count(path) != 0; }
    void PLay_Sound(const std::string& file) override { log.push_back("play " + file); soundOpen = true; }
    void ShowMessage(const std::string& caption) override { log.push_back("message [" + caption + "]"); }
    void ChangeWallpaper() override { log.push_back("wallpaper"); }

    std::vector<std::string> log;
    std::set<std::string> files;
    bool soundOpen = false;
};

}  // namespace mb::timer::test
