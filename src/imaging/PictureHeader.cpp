#include "imaging/PictureHeader.h"

#include <array>
#include <limits>

namespace brumo {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kTem = 0x01;
constexpr std::uint8_t kFirstRestart = 0xD0;
constexpr std::uint8_t kLastRestart = 0xD7;
constexpr std::size_t kJpegFrameHeight = 3;  // offset in the segment, after its length
constexpr std::size_t kJpegFrameWidth = 5;

constexpr std::size_t kGifWidth = 6;
constexpr std::size_t kGifHeight = 8;

constexpr std::size_t kBmpInfoSize = 14;
constexpr std::size_t kBmpWidth = 18;
constexpr std::uint32_t kBmpCoreHeaderSize = 12;
constexpr std::size_t kBmpCoreHeight = 20;
constexpr std::size_t kBmpInfoHeight = 22;

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::size_t kPngChunkType = 12;
constexpr std::size_t kPngWidth = 16;
constexpr std::size_t kPngHeight = 20;

bool Has(Bytes bytes, std::size_t at, std::size_t count) {
    return at <= bytes.size() && count <= bytes.size() - at;
}

std::uint32_t Little16(Bytes b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t Little32(Bytes b, std::size_t at) {
    return Little16(b, at) | Little16(b, at + 2) << 16;
}
std::uint32_t Big16(Bytes b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] << 8 | b[at + 1]);
}
std::uint32_t Big32(Bytes b, std::size_t at) {
    return Big16(b, at) << 16 | Big16(b, at + 2);
}

bool StartsWith(Bytes bytes, std::span<const std::uint8_t> prefix) {
    if (!Has(bytes, 0, prefix.size())) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (bytes[i] != prefix[i]) return false;
    return true;
}

// Both sides positive and representable; anything else names no pixels.
std::optional<PictureSize> Sized(std::uint32_t width, std::uint32_t height) {
    constexpr auto kLargest = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    if (width == 0 || height == 0 || width > kLargest || height > kLargest) return std::nullopt;
    return PictureSize{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

bool IsFrameHeader(std::uint8_t marker) {
    // SOF0..SOF15 without DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PictureSize> ReadJpeg(Bytes b) {
    std::size_t at = 2;
    for (;;) {
        if (!Has(b, at, 2) || b[at] != kMarkerPrefix) return std::nullopt;
        while (Has(b, at + 1, 1) && b[at + 1] == kMarkerPrefix) ++at;  // fill bytes
        if (!Has(b, at, 2)) return std::nullopt;
        const std::uint8_t marker = b[at + 1];
        at += 2;
        if (marker == kTem || (marker >= kFirstRestart && marker <= kLastRestart)) continue;
        if (marker == kStartOfScan || marker == kEndOfImage || !Has(b, at, 2)) return std::nullopt;
        const std::uint32_t length = Big16(b, at);
        if (length < 2) return std::nullopt;
        if (IsFrameHeader(marker)) {
            if (length < kJpegFrameWidth + 2 || !Has(b, at, kJpegFrameWidth + 2))
                return std::nullopt;
            return Sized(Big16(b, at + kJpegFrameWidth), Big16(b, at + kJpegFrameHeight));
        }
        at += length;
    }
}

std::optional<PictureSize> ReadBmp(Bytes b) {
    if (!Has(b, kBmpInfoSize, 4)) return std::nullopt;
    if (Little32(b, kBmpInfoSize) == kBmpCoreHeaderSize) {
        if (!Has(b, kBmpCoreHeight, 2)) return std::nullopt;
        return Sized(Little16(b, kBmpWidth), Little16(b, kBmpCoreHeight));
    }
    if (!Has(b, kBmpInfoHeight, 4)) return std::nullopt;
    const auto width = static_cast<std::int32_t>(Little32(b, kBmpWidth));
    const auto height = static_cast<std::int32_t>(Little32(b, kBmpInfoHeight));
    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return PictureSize{width, height < 0 ? -height : height};
}

}  // namespace

std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> bytes) {
    constexpr std::array<std::uint8_t, 2> kJpeg = {kMarkerPrefix, kStartOfImage};
    constexpr std::array<std::uint8_t, 6> kGif87 = {'G', 'I', 'F', '8', '7', 'a'};
    constexpr std::array<std::uint8_t, 6> kGif89 = {'G', 'I', 'F', '8', '9', 'a'};
    constexpr std::array<std::uint8_t, 2> kBmp = {'B', 'M'};
    constexpr std::array<std::uint8_t, 4> kIhdr = {'I', 'H', 'D', 'R'};
    if (StartsWith(bytes, kJpeg)) return ReadJpeg(bytes);
    if (StartsWith(bytes, kGif87) || StartsWith(bytes, kGif89)) {
        if (!Has(bytes, kGifHeight, 2)) return std::nullopt;
        return Sized(Little16(bytes, kGifWidth), Little16(bytes, kGifHeight));
    }
    if (StartsWith(bytes, kBmp)) return ReadBmp(bytes);
    if (StartsWith(bytes, kPngSignature)) {
        if (!Has(bytes, kPngHeight, 4) || !StartsWith(bytes.subspan(kPngChunkType), kIhdr))
            return std::nullopt;
        return Sized(Big32(bytes, kPngWidth), Big32(bytes, kPngHeight));
    }
    return std::nullopt;
}

bool IsDecodableSize(PictureSize size) {
    return size.width > 0 && size.height > 0 && size.width <= kLargestPictureSide &&
           size.height <= kLargestPictureSide &&
           std::int64_t{size.width} * size.height <= kLargestPicturePixels;
}

}  // namespace brumo
