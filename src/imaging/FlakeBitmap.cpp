#include "imaging/FlakeBitmap.h"

#include <string>

#include "resources/TextNumbers.h"

namespace brumo {
namespace {

constexpr const char* kLineBreak = "\r\n";

void ShowFailure(MessageSink& messages, const Language& language, std::int32_t first,
                 std::int32_t second) {
    messages.ShowMessage(language.GetText(first) + kLineBreak + language.GetText(second),
                         MessageStyle::Critical);
}

}  // namespace

bool FlakeBitmap::SetBitmapID(std::int32_t /*a_hWnd*/, const std::string& a_ID, ColorRef a_Color,
                              MessageSink& messages, const Language& language) {
    Release();
    const FlakePicture* picture = FindFlakePicture(a_ID);
    if (picture == nullptr) {
        ShowFailure(messages, language, text::kPictureReadFailed, text::kUseBlockInstead);
        return false;
    }
    if (!ColorPicture(*picture, a_Color, image_)) {
        ShowFailure(messages, language, text::kPictureColoringFailed, text::kUseBlockInstead);
        return false;
    }
    return SetBitmap(a_Color == kWhite);
}

void FlakeBitmap::Release() {
    width_ = 0;
    height_ = 0;
    image_.Resize(0, 0);
    invertImage_.Resize(0, 0);
    mask_.Resize(0, 0);
}

bool FlakeBitmap::ColorPicture(const FlakePicture& a_Bmp, ColorRef a_Color, Surface& recoloured) {
    if (!recoloured.Resize(a_Bmp.Width(), a_Bmp.Height())) return false;
    const Pixel white = ColorRefToPixel(kWhite);
    const Pixel flake = ColorRefToPixel(a_Color);
    const Pixel background = a_Color == kWhite ? ColorRefToPixel(kBlack) : white;
    for (std::int32_t y = 0; y < a_Bmp.Height(); ++y)
        for (std::int32_t x = 0; x < a_Bmp.Width(); ++x)
            recoloured.Row(y)[x] = a_Bmp.IsFlakePixel(x, y) ? flake : background;
    return true;
}

bool FlakeBitmap::SetBitmap(bool a_InvertMask) {
    width_ = image_.Width();
    height_ = image_.Height();
    if (!invertImage_.Resize(width_, height_) || !mask_.Resize(width_, height_)) return false;
    const Pixel white = ColorRefToPixel(kWhite);
    for (std::int32_t y = 0; y < height_; ++y)
        for (std::int32_t x = 0; x < width_; ++x) {
            const Pixel pixel = image_.At(x, y);
            // Colour to one bit: 1 where the pixel equals the background colour.
            const bool copied = pixel == white;
            const bool bit = a_InvertMask ? !copied : copied;
            mask_.Row(y)[x] = bit ? kMaskBackground : kMaskFlake;
            // One bit into colour with SRCAND: 1 gives black, 0 keeps the pixel.
            invertImage_.Row(y)[x] = pixel & (bit ? ColorRefToPixel(kBlack) : white);
        }
    return true;
}

bool LoadFlakeType(FlakeBitmap& flake, std::int32_t type, ColorRef color, MessageSink& messages,
                   const Language& language) {
    const std::string id = "#" + std::to_string(kFirstFlakePicture + type);
    if (flake.SetBitmapID(0, id, color, messages, language)) return true;
    messages.ShowMessage(language.GetText(text::kFlakePreparationFailed) + "\r\n" +
                             language.GetText(text::kUseBlockInstead),
                         MessageStyle::Critical);
    return false;
}

}  // namespace brumo
