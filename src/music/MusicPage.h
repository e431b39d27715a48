// The music page of the settings dialog: choosing the background music file,
// describing it (duration and ID3v2 title, artist, album, year) and playing
// it once as a preview with a progress bar. Its controls are models of
// `SettingsForm` (TxSoundfile, CmdBtnFindSndFile, CmdBtnPlay, ChkLoop,
// LabelMP3, SndProgress, SndProgressBar, LabelSndProgress, TimerSnd); the
// page attaches its handlers to them. Storing the path and the repeat box is
// the settings record's business.
//
// Control flow: the dialog view builds the page after the form; the page
// wires the Find and Play clicks, the path's Change, the form's
// `RefreshMusicInfo` hook (run by ApplyLanguage and after the settings are
// loaded) and `TimerSnd.Timer` (the view runs it every `TimerSnd.Interval`
// ms while `TimerSnd.Enabled`). Preview: Idle (Play) -> Playing (Stop, timer
// on) -> Idle on Stop, at the end of the sound, on a failed start, or when
// `DisplayMP3Info` reaches the device. Closing the dialog stops the sound and
// the timer (the form's OK, Cancel and close box); the page must go before
// the form, and detaches its handlers when it does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/LocalePort.h"
#include "music/ID3TagV2.h"
#include "music/Sound.h"
#include "settings/SettingsForm.h"

namespace brumo {

inline constexpr std::int32_t kSoundTimerInterval = 200;  // milliseconds

// What the page needs besides the form and the player.
struct MusicPageContext {
    SettingsForm& form;
    SettingsFormHost& host;  // the file chooser
    Sound& sound;
    const Language& language;
    LocalePort& locale;  // the user's decimal separator
    TagFileSystem& files;
};

class MusicPage {
  public:
    // Wires the handlers and describes the path the form already holds.
    explicit MusicPage(const MusicPageContext& context);
    MusicPage(const MusicPage&) = delete;
    MusicPage& operator=(const MusicPage&) = delete;
    // Detaches the handlers, so the form never calls into a page that is gone.
    ~MusicPage();

    void CmdBtnFindSndFile_Click();
    void DisplayMP3Info();
    void CmdBtnPlay_Click();
    void TimerSnd_Timer();
    void UpdateSoundProgress(std::int32_t a_Length, std::int32_t a_Position);
    void TxSoundfile_Change();

  private:
    // What the device and the tag said about `lastInfoFile_`. Kept so that a
    // language switch relabels the description without reaching the device,
    // which would stop a playing preview.
    struct Description {
        bool blank = true;
        std::int32_t length = 0;  // milliseconds
        bool mp3 = false;
        std::optional<ID3v2TagInfo> tag;
    };
    Description Describe(const std::string& path);
    std::string DescriptionText() const;
    std::string Text(std::int32_t number) const { return context_.language.GetText(number); }

    MusicPageContext context_;
    forms::Handler previousPathChange_;
    std::string lastInfoFile_;
    Description description_;
};

// The music chooser's request in the current language.
FileDialogRequest MusicFileRequest(const Language& language, std::string startText);

}  // namespace brumo
