#include "logic/sound.h"

namespace mb::timer {

void SoundPlayer::PLay_Sound(const std::string& file) {
    OpenSound = "\"" + file + "\"";
    mci_.SendStr("open " + OpenSound + " alias SndMedia");
    mci_.SendStr("play SndMedia");
}

void SoundPlayer::Stop() {
    if (!Open()) return;
    mci_.SendStr("stop sndMedia");
    mci_.SendStr("close sndMedia");
    OpenSound.clear();
}

}  // namespace mb::timer
