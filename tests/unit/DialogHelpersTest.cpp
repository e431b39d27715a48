// The settings dialog's helpers: file chooser paths and arguments, colours,
// the update address.
#include <gtest/gtest.h>

#include "online/UpdateCheck.h"
#include "settings/ColorDialog.h"
#include "settings/DialogColor.h"
#include "settings/FileDialogFunctions.h"

namespace brumo {
namespace {

// Name and folder of the start text; the completed choice for a filter and
// the extension offset the chooser reports (the plain completions run under
// Wine through the real chooser).
TEST(FileDialogFunctions, PathsAndExtensionCompletion) {
    for (const auto& [path, name, folder] :
         {std::tuple{"C:\\Pics\\snow.jpg", "snow.jpg", "C:\\Pics\\"},
          {"C:\\Pics.old\\snow", "", "C:\\Pics.old\\"},
          {"snow", "", ""},
          {"a.b", "a.b", ""}})
        EXPECT_EQ(GetFileName(path) + "|" + GetFolder(path), std::string(name) + "|" + folder);
    for (const auto& [path, filter, offset, completed] :
         {std::tuple{"C:\\winter.", 2, 10, "C:\\winter"},
          {"C:\\a.bmp", 1, 0, "C:\\a.bmp"},
          {"C:\\a.jpg", 1, 4, "C:\\a.jpg"}})
        EXPECT_EQ(CompleteExtension(path, "BMP", filter, offset), completed) << path << filter;
}

TEST(FileDialogFunctions, PictureChooserInEnglish) {
    Language english;
    english.SetLanguage(kEnglish);
    const FileDialogRequest request = PictureFileRequest(english, "C:\\a.jpg");
    using namespace std::string_literals;
    EXPECT_EQ(request.title + "|" + request.defaultExt + "|" + request.filter,
              "Choose background picture|BMP|All pictures (*.bmp;*.jpg;*.gif)\0*.bmp;"
              "*.jpg;*.gif\0BMP (*.bmp)\0*.bmp\0JPG (*.jpg)\0*.jpg\0GIF (*.gif)\0*.gif"
              "\0All files (*.*)\0*.*\0"s);
}

TEST(DialogHelpers, ColorsAndUpdateAddress) {
    EXPECT_EQ(InitCustomColors()[15], 0x464646u);
    EXPECT_EQ(DialogColor(0xF0F0F0u), 0xDCDCDCu);
    EXPECT_EQ(DialogColor(0x151413u), 0x011413u);  // 20 and less stay
    const std::string base = std::string("http://") + BRUMO_DOWNLOAD_HOST + "/update";
    for (const auto& [language, page] :
         {std::pair{kGerman, "_de"}, {kEnglish, "_en"}, {kItalian, "_en"}})
        EXPECT_EQ(UpdateAddress(language), base + page + ".php?product=Brumo&version=1.5.0");
}

}  // namespace
}  // namespace brumo
