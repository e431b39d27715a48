// The music page's handlers: the file chooser, the description of the chosen
// file (duration from the sound device, title, artist, album and year from
// its ID3v2 tag), and the preview, whose timer follows the device until it
// stops playing. See MusicPage.h for who calls in.
#include "music/MusicPage.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

#include "common/NumberText.h"
#include "common/Rounding.h"
#include "common/TextTrim.h"
#include "music/TagText.h"
#include "resources/TextNumbers.h"

namespace brumo {

namespace {

constexpr double kMillisecondsPerSecond = 1000.0;
constexpr const char* kLineBreak = "\r\n";
constexpr const char* kPlaying = "playing";

bool IsMp3(const std::string& path) {
    std::string extension = GetFileExtension(path);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "mp3";
}

// Milliseconds as seconds with one decimal, halves to even ("12.3" for 12,300).
std::string OneDecimalSeconds(std::int32_t milliseconds, const std::string& decimalSeparator) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f",
                  RoundHalfEven(milliseconds / kMillisecondsPerSecond, 1));
    std::string text(buffer);
    text.replace(text.find('.'), 1, decimalSeparator);
    return text;
}

}  // namespace

MusicPage::MusicPage(const MusicPageContext& context) : context_(context) {
    SettingsForm& form = context_.form;
    form.CmdBtnFindSndFile.Click = [this] { CmdBtnFindSndFile_Click(); };
    form.CmdBtnPlay.Click = [this] { CmdBtnPlay_Click(); };
    previousPathChange_ = std::move(form.TxSoundfile.Change);
    form.TxSoundfile.Change = [this] {
        forms::Fire(previousPathChange_);
        TxSoundfile_Change();
    };
    form.RefreshMusicInfo = [this] {
        // Relabelling captions Play as "Play"; while the preview plays it must read "Stop".
        if (context_.form.TimerSnd.Enabled) context_.form.CmdBtnPlay.Caption = Text(text::kStop);
        DisplayMP3Info();
    };
    form.TimerSnd.Timer = [this] { TimerSnd_Timer(); };
    if (form.CmdBtnPlay.Caption.empty()) form.CmdBtnPlay.Caption = Text(text::kPlay);
    TxSoundfile_Change();
    DisplayMP3Info();  // the settings were loaded before the page existed
}

MusicPage::~MusicPage() {
    SettingsForm& form = context_.form;
    form.CmdBtnFindSndFile.Click = nullptr;
    form.CmdBtnPlay.Click = nullptr;
    form.TxSoundfile.Change = std::move(previousPathChange_);
    form.RefreshMusicInfo = nullptr;
    form.TimerSnd.Timer = nullptr;
}

void MusicPage::CmdBtnFindSndFile_Click() {
    SettingsForm& form = context_.form;
    const std::optional<std::string> chosen =
        context_.host.ShowFileDialog(MusicFileRequest(context_.language, form.TxSoundfile.Text()));
    if (chosen) form.TxSoundfile.SetText(*chosen);
    DisplayMP3Info();  // also when cancelled: the unchanged path is already described
}

// The device and the tag are asked only for a path not described yet.
void MusicPage::DisplayMP3Info() {
    const std::string& path = context_.form.TxSoundfile.Text();
    if (path != lastInfoFile_) {
        lastInfoFile_ = path;
        description_ = Describe(path);
    }
    context_.form.LabelMP3.SetText(DescriptionText());
}

MusicPage::Description MusicPage::Describe(const std::string& path) {
    Description description;
    if (TrimBlanks(path).empty()) return description;
    description.blank = false;
    context_.sound.OpenSound(path);
    description.length = context_.sound.GetSoundLength();
    context_.sound.StopSound();
    description.mp3 = IsMp3(path);
    ID3v2TagInfo info;
    if (description.mp3 && ReadID3v2Tag(path, info, context_.files))
        description.tag = std::move(info);
    return description;
}

std::string MusicPage::DescriptionText() const {
    const Description& d = description_;
    if (d.blank) return {};
    const double seconds = RoundHalfEven(d.length / kMillisecondsPerSecond, 1);
    std::string text = Text(text::kDuration) + " " +
                       FormatNumber(seconds, context_.locale.DecimalSeparator()) + " sec.";
    if (!d.mp3) return text;
    if (!d.tag) return text + kLineBreak + Text(text::kNoID3v2Tag);
    const std::pair<std::int32_t, const std::string*> lines[] = {
        {text::kTitle, &d.tag->Title},
        {text::kArtist, &d.tag->Artist},
        {text::kAlbum, &d.tag->Album},
        {text::kYear, &d.tag->Year},
    };
    for (const auto& [number, value] : lines)
        text += kLineBreak + Text(number) + " " + TagTextForDisplay(*value);
    return text;
}

void MusicPage::CmdBtnPlay_Click() {
    SettingsForm& form = context_.form;
    if (form.CmdBtnPlay.Caption != Text(text::kPlay)) {
        form.CmdBtnPlay.Caption = Text(text::kPlay);
        context_.sound.StopSound();
        form.TimerSnd.Enabled = false;
        UpdateSoundProgress(0, 0);
        return;
    }
    DisplayMP3Info();
    form.CmdBtnPlay.Caption = Text(text::kStop);
    // Played once whatever the repeat box says; a failed start shows at the first tick.
    context_.sound.StartSound(form.TxSoundfile.Text(), false);
    form.TimerSnd.Interval = kSoundTimerInterval;
    form.TimerSnd.Enabled = true;
}

void MusicPage::TimerSnd_Timer() {
    const std::int32_t length = context_.sound.GetSoundLength();
    const std::int32_t position = context_.sound.GetSoundPosition();
    const std::string mode = context_.sound.GetSoundMode();
    if (mode == kPlaying) {
        UpdateSoundProgress(length, position);
        return;
    }
    // Ended, failed to start, or stopped by a description of the file.
    SettingsForm& form = context_.form;
    form.TimerSnd.Enabled = false;
    form.CmdBtnPlay.Caption = Text(text::kPlay);
    context_.sound.StopSound();
    UpdateSoundProgress(0, 0);
}

void MusicPage::UpdateSoundProgress(std::int32_t a_Length, std::int32_t a_Position) {
    SettingsForm& form = context_.form;
    if (a_Length == 0) {
        form.SndProgressBar.Width = 0;
        form.LabelSndProgress.Caption.clear();
        return;
    }
    // The device may report a position a little past the length at the end;
    // the bar never grows out of its track.
    form.SndProgressBar.Width =
        std::clamp(form.SndProgress.Width / a_Length * a_Position, 0.0, form.SndProgress.Width);
    form.LabelSndProgress.Caption =
        OneDecimalSeconds(a_Position, context_.locale.DecimalSeparator()) + "s";
}

// No trimming: a path of blanks still enables Play.
void MusicPage::TxSoundfile_Change() {
    context_.form.CmdBtnPlay.Enabled = !context_.form.TxSoundfile.Text().empty();
}

FileDialogRequest MusicFileRequest(const Language& language, std::string startText) {
    FileDialogRequest request;
    request.title = language.GetText(text::kChooseBackgroundMusic);
    request.filter =
        FilterPair(language.GetText(text::kAllSoundFiles) + " (*.mp3;*.wma;*.mid;*.wav)",
                   "*.mp3;*.wma;*.mid;*.wav") +
        FilterPair("MP3 (*.mp3)", "*.mp3") + FilterPair("WMA (*.wma)", "*.wma") +
        FilterPair("MID (*.mid)", "*.mid") + FilterPair("WAV (*.wav)", "*.wav") +
        FilterPair(language.GetText(text::kAllFiles) + " (*.*)", "*.*");
    request.viewMode = kMusicDialogViewMode;
    request.startText = std::move(startText);
    return request;
}

}  // namespace brumo
