#include "music/Sound.h"

#include "common/NumberRule.h"

namespace brumo {
namespace {

constexpr const char* kStatusPosition = "status SworlsSound position";
constexpr const char* kStatusLength = "status SworlsSound length";
constexpr const char* kStatusMode = "status SworlsSound mode";

// The path stands unquoted in the open command, which is why it is shortened
// first. A volume without short names gives the long path back; if that one
// holds a blank the device would read only up to the blank, so such a path,
// and only such a path, is put in double quotes.
std::string PathForCommand(const std::string& shortPath) {
    if (shortPath.find(' ') == std::string::npos) return shortPath;
    return "\"" + shortPath + "\"";
}

}  // namespace

Sound::~Sound() {
    if (fileOpen_) CloseMci(kAlias);
}

bool Sound::StartSound(const std::string& a_File, bool a_Loop) {
    const bool started = PlayMciFile(a_File, kAlias, a_Loop);
    if (started) soundPlaying_ = true;
    return started;
}

void Sound::OpenSound(const std::string& a_File) {
    OpenMciFile(a_File, kAlias);
}

void Sound::StopSound() {
    CloseMci(kAlias);
    soundPlaying_ = false;
}

std::int32_t Sound::GetSoundLength() {
    return NumberRuleInt32(Status(kStatusLength));
}

std::int32_t Sound::GetSoundPosition() {
    return NumberRuleInt32(Status(kStatusPosition));
}

std::string Sound::GetSoundMode() {
    return Status(kStatusMode);
}

void Sound::OpenMciFile(const std::string& a_File, const std::string& a_Alias) {
    const std::string shortPath = shortPaths_.ShortPath(a_File);
    if (shortPath.empty()) return;
    SendOpen(shortPath, a_Alias);  // only the length is asked for later: no result needed
}

bool Sound::PlayMciFile(const std::string& a_File, const std::string& a_Alias, bool a_Loop) {
    const std::string shortPath = shortPaths_.ShortPath(a_File);
    if (shortPath.empty()) return false;
    if (SendOpen(shortPath, a_Alias) != 0) return false;
    // A failed play leaves the device open; the next StopSound closes it.
    std::string play = "play " + a_Alias + " from 0";
    if (a_Loop) play += " repeat";
    return mci_.SendString(play, nullptr) == 0;
}

void Sound::CloseMci(const std::string& a_Alias) {
    mci_.SendString("stop " + a_Alias, nullptr);
    mci_.SendString("close " + a_Alias, nullptr);
    fileOpen_ = false;
}

std::uint32_t Sound::SendOpen(const std::string& shortPath, const std::string& a_Alias) {
    const std::uint32_t status = mci_.SendString(
        "open " + PathForCommand(shortPath) + " type MPEGVideo alias " + a_Alias, nullptr);
    if (status == 0) fileOpen_ = true;
    return status;
}

// A failed query leaves the reply empty, which reads as 0 or an empty mode.
std::string Sound::Status(const char* command) {
    std::string reply;
    mci_.SendString(command, &reply);
    return reply;
}

}  // namespace brumo
