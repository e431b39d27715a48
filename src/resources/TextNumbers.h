// Names for the string-table texts the program's code shows by number.
#pragma once

#include <cstdint>

namespace brumo::text {

constexpr std::int32_t kAboutDescription = 27;
constexpr std::int32_t kFreewareNotice = 28;
constexpr std::int32_t kDisclaimer = 29;
constexpr std::int32_t kSysInfoUnavailable = 53;
constexpr std::int32_t kDesktopSizeUnknown = 54;
constexpr std::int32_t kSnapshotFailed = 55;
constexpr std::int32_t kImageInvalid = 56;
constexpr std::int32_t kPictureReadFailed = 59;
constexpr std::int32_t kUseBlockInstead = 60;
constexpr std::int32_t kPictureColoringFailed = 61;
constexpr std::int32_t kFlakePreparationFailed = 62;
constexpr std::int32_t kFirstFlakeTypeName = 65;  // 65..72: the flake types in list order
constexpr std::int32_t kDialogTitle = 73;
constexpr std::int32_t kManualNotice = 74;
constexpr std::int32_t kChooseBackgroundPicture = 80;
constexpr std::int32_t kAllPictures = 81;
constexpr std::int32_t kAllFiles = 82;
constexpr std::int32_t kItalianCredit = 83;
constexpr std::int32_t kTranslations = 84;
constexpr std::int32_t kPlay = 130;
constexpr std::int32_t kStop = 131;
constexpr std::int32_t kChooseBackgroundMusic = 134;
constexpr std::int32_t kAllSoundFiles = 135;
constexpr std::int32_t kTitle = 136;
constexpr std::int32_t kArtist = 137;
constexpr std::int32_t kDuration = 138;
constexpr std::int32_t kAlbum = 139;
constexpr std::int32_t kYear = 140;
constexpr std::int32_t kNoID3v2Tag = 141;
constexpr std::int32_t kSnowPageTab = 142;
constexpr std::int32_t kAdditionalPageTab = 143;

}  // namespace brumo::text
