// Any picture size, screen size and size setting: the placement is never
// undefined arithmetic, never smaller than one pixel, centred, fills the
// screen when maximised, and at a hundred per cent spans the screen one way.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "common/Rounding.h"
#include "imaging/BackgroundLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    using fuzz::Check;
    constexpr std::int32_t kFullSize = 100;
    FuzzedDataProvider input(data, size);
    const PictureSize picture{input.ConsumeIntegral<std::int32_t>(),
                              input.ConsumeIntegral<std::int32_t>()};
    const PictureSize screen{input.ConsumeIntegral<std::int32_t>(),
                             input.ConsumeIntegral<std::int32_t>()};
    const PictureFit fit{input.ConsumeBool(), input.ConsumeIntegral<std::int32_t>()};
    const std::optional<Rect> placed = LayoutBackground(picture, screen, fit);
    if (!placed) return 0;
    Check(picture.width > 0 && picture.height > 0);
    Check(placed->width >= 1 && placed->height >= 1);
    Check(placed->left == NearestInt32((static_cast<double>(screen.width) - placed->width) / 2.0));
    Check(placed->top == NearestInt32((static_cast<double>(screen.height) - placed->height) / 2.0));
    if (fit.maximize) Check(*placed == (Rect{0, 0, screen.width, screen.height}));
    if (!fit.maximize && fit.sizePercent == kFullSize && screen.width > 0 && screen.height > 0)
        Check(placed->width >= screen.width || placed->height >= screen.height);
    return 0;
}
