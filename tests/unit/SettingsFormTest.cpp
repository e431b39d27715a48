// The dialog's controls and the couplings between them.
#include <gtest/gtest.h>

#include "FakeRegistry.h"
#include "FakeSettingsHost.h"
#include "settings/SettingsForm.h"

namespace brumo {
namespace {

struct SettingsFixture : MessageSink {
    test::FakeRegistry registry;
    Language language;
    test::FakeSettingsHost host;
    void ShowMessage(const std::string& text, MessageStyle) override { ADD_FAILURE() << text; }
    SettingsForm Form() {
        return SettingsForm(SettingsFormContext{registry, language, *this, host});
    }
};

// A bar rounds halves to even.
TEST(Forms, ScrollBarRoundsHalvesToEven) {
    forms::ScrollBar bar(-99, -1, 1, 1, -1);
    for (const auto& [value, held] : {std::pair{-13.5, -14}, {-12.5, -12}}) {
        bar.SetValue(value);
        EXPECT_EQ(bar.Value(), held) << value;
    }
}

// An image background unchecks snow on icons and keeps it unchecked.
TEST(SettingsForm, ImageBackgroundUnchecksSnowOnIcons) {
    SettingsFixture f;
    SettingsForm form = f.Form();
    form.OptBackgroundImage.SetValue(true);
    EXPECT_FALSE(form.ChkSnowOnIcons.Enabled);
    form.OptBackgroundDesktop.SetValue(true);
    EXPECT_TRUE(form.ChkSnowOnIcons.Enabled);
    EXPECT_EQ(form.ToRecord().SnowOnIcons, 0);
}

// White snow on black: a size 2 block is 3 x 3 in the middle of the 48 x 48 preview.
TEST(SettingsForm, FlakePreviewOfABlock) {
    SettingsFixture f;
    SettingsRecord record;
    record.SnowballType = kFlakeTypeBlock;
    record.SnowballSize = 2;
    SettingsForm form = f.Form();
    form.LoadFrom(record);
    const Surface& block = form.picFlaketype.Picture;
    for (const auto& [x, y, pixel] : std::vector<std::tuple<int, int, Pixel>>{
             {21, 22, 0}, {22, 22, 0xFFFFFF}, {24, 24, 0xFFFFFF}, {25, 24, 0}})
        EXPECT_EQ(block.At(x, y), pixel) << x << "," << y;
}

}  // namespace
}  // namespace brumo
