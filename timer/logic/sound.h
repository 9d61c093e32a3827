#pragma once
// The alarm sound: MCI command strings under the one alias "SndMedia", played
// without waiting. Failures of the commands are silent by design: a sound that
// cannot play must not disturb the resident program.
#include <string>

namespace mb::timer {

class MciPort {
public:
    virtual ~MciPort() = default;
    // Sends one command string; the result is kept but looked at by nobody.
    virtual void SendStr(const std::string& command) = 0;
};

class SoundPlayer {
public:
    explicit SoundPlayer(MciPort& mci) : mci_(mci) {}

    // Opens the file by its quoted path and plays it. Counts as open even when
    // the platform refused, so the stop and close are sent anyway.
    void PLay_Sound(const std::string& file);
    // Stop and close, when a sound is open.
    void Stop();
    bool Open() const { return !OpenSound.empty(); }

    // The quoted path of the open sound; empty when none.
    std::string OpenSound;

private:
    MciPort& mci_;
};

}  // namespace mb::timer
