// Background music: one sound file at a time, played by the system's media
// control interface through text commands. Every command names one fixed
// device alias, so at most one sound is open in the whole process; the
// device itself refuses a second open of the alias while it is in use.
#pragma once

#include <cstdint>
#include <string>

namespace brumo {

// The media control interface: one command text in, the device's status
// out (0 = success). When `reply` is not null it receives the reply text
// (the text before the first NUL of a 255-character buffer; empty when the
// command failed). Commands return at once; the device plays on its own.
class MciPort {
  public:
    virtual ~MciPort() = default;
    virtual std::uint32_t SendString(const std::string& command, std::string* reply) = 0;
};

// The short (8.3) form of an existing path; empty when the file is missing,
// the path is empty or the call fails. A volume without short names gives
// the long path back unchanged.
class ShortPathPort {
  public:
    virtual ~ShortPathPort() = default;
    virtual std::string ShortPath(const std::string& longPath) = 0;
};

class Sound {
  public:
    // The device alias every command names.
    static constexpr const char* kAlias = "SworlsSound";

    Sound(MciPort& mci, ShortPathPort& shortPaths) : mci_(mci), shortPaths_(shortPaths) {}
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    // A player that goes away closes what it opened, so that the alias is
    // free for the next one.
    ~Sound();

    // Opens `a_File` and plays it from the start, over and over when
    // `a_Loop`. True when both the open and the play command succeeded;
    // only then does IsSoundPlaying become true.
    bool StartSound(const std::string& a_File, bool a_Loop);
    // Opens `a_File` without playing it, to ask for its length.
    void OpenSound(const std::string& a_File);
    // Stops and closes whatever is open under the alias (harmless when
    // nothing is) and clears IsSoundPlaying.
    void StopSound();
    // True from a successful StartSound until the next StopSound, also
    // after a sound played once has come to its end.
    bool IsSoundPlaying() const { return soundPlaying_; }

    // Length and position in milliseconds; 0 when nothing is open.
    std::int32_t GetSoundLength();
    std::int32_t GetSoundPosition();
    // "playing" while the device plays, another word otherwise; empty when
    // nothing is open.
    std::string GetSoundMode();

  private:
    void OpenMciFile(const std::string& a_File, const std::string& a_Alias);
    bool PlayMciFile(const std::string& a_File, const std::string& a_Alias, bool a_Loop);
    void CloseMci(const std::string& a_Alias);
    // Sends the open command for an already shortened path; the device's status.
    std::uint32_t SendOpen(const std::string& shortPath, const std::string& a_Alias);
    std::string Status(const char* command);

    MciPort& mci_;
    ShortPathPort& shortPaths_;
    bool soundPlaying_ = false;
    bool fileOpen_ = false;  // an open command of this player succeeded
};

}  // namespace brumo
