#include "imaging/IconPositioning.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

namespace brumo {

namespace {

constexpr std::string_view kProgmanClass = "Progman";
constexpr std::string_view kDefViewClass = "SHELLDLL_DefView";
constexpr std::string_view kListViewClass = "SysListView32";

constexpr std::size_t kFieldBytes = 4;
constexpr unsigned kBitsPerByte = 8;
constexpr std::uint32_t kByteMask = 0xFF;

std::int32_t GetField(std::span<const std::uint8_t> record, std::size_t field) {
    std::uint32_t value = 0;
    for (std::size_t i = kFieldBytes; i-- > 0;)
        value = (value << kBitsPerByte) | record[field * kFieldBytes + i];
    return static_cast<std::int32_t>(value);
}

void PutField(std::span<std::uint8_t> record, std::size_t field, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < kFieldBytes; ++i, bits >>= kBitsPerByte)
        record[field * kFieldBytes + i] = static_cast<std::uint8_t>(bits & kByteMask);
}

// The list's rectangle (left, top, right, bottom) as left, top, width, height.
Rect RectFromEdges(std::span<const std::uint8_t> record) {
    const std::int32_t left = GetField(record, 0);
    const std::int32_t top = GetField(record, 1);
    const auto extent = [](std::int32_t from, std::int32_t to) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(
            std::int64_t{to} - from, std::numeric_limits<std::int32_t>::min(),
            std::numeric_limits<std::int32_t>::max()));
    };
    return Rect{left, top, extent(left, GetField(record, 2)), extent(top, GetField(record, 3))};
}

// Each item's position, asked into one point buffer in the list's process.
void ReadItemPositions(ShellListPort& port, WindowHandle list, ProcessId owner,
                       std::vector<IconPoint>& positions) {
    const std::unique_ptr<RemoteMemory> buffer = port.AllocateInProcess(owner, kPointRecordBytes);
    if (!buffer) return;
    std::array<std::uint8_t, kPointRecordBytes> record{};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        // A refused request leaves the previous item's point in the buffer:
        // the entry stays zero instead.
        if (port.SendListMessage(list, kLvmGetItemPosition, i, buffer->Address(0)) == 0) continue;
        if (!buffer->Read(0, record)) continue;
        positions[i] = IconPoint{GetField(record, 0), GetField(record, 1)};
    }
}

// Each item's caption rectangle, asked into its own slot of one block in the
// list's process; every slot first says which part of the item is wanted.
void ReadItemLabelRects(ShellListPort& port, WindowHandle list, ProcessId owner,
                        std::vector<Rect>& rects) {
    const std::size_t size = rects.size() * kRectRecordBytes;
    const std::unique_ptr<RemoteMemory> block = port.AllocateInProcess(owner, size);
    if (!block) return;
    std::vector<std::uint8_t> requests(size, 0);
    for (std::size_t i = 0; i < rects.size(); ++i)
        PutField(std::span(requests).subspan(i * kRectRecordBytes, kRectRecordBytes), 0,
                 kLvirLabel);
    // Without the requests in place the list would answer other parts.
    if (!block->Write(0, requests)) return;
    std::array<std::uint8_t, kRectRecordBytes> record{};
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const std::size_t offset = i * kRectRecordBytes;
        if (port.SendListMessage(list, kLvmGetItemRect, i, block->Address(offset)) == 0) continue;
        if (!block->Read(offset, record)) continue;
        rects[i] = RectFromEdges(record);
    }
}

}  // namespace

WindowHandle GetSysLVHwnd(ShellListPort& port, Trace& trace) {
    const WindowHandle progman = port.FindTopLevelWindow(kProgmanClass);
    trace.WriteTrace("Progman hWnd:" + std::to_string(progman));
    if (progman == 0) return 0;
    const WindowHandle defView = port.FindChildWindow(progman, kDefViewClass);
    trace.WriteTrace("SHELLDLL_defVIEW hWnd:" + std::to_string(defView));
    if (defView == 0) return 0;
    const WindowHandle list = port.FindChildWindow(defView, kListViewClass);
    trace.WriteTrace("SysListView32 hWnd:" + std::to_string(list));
    return list;
}

bool GetDesktopIconPositions(ShellListPort& port, Trace& trace, DesktopIcons& icons) {
    const WindowHandle list = GetSysLVHwnd(port, trace);
    trace.WriteTrace("GetSysLVHwnd: " + std::to_string(list));
    if (list == 0) return false;

    const ProcessId owner = port.WindowProcessId(list);
    // The list answers an int.
    const auto reported =
        static_cast<std::int32_t>(port.SendListMessage(list, kLvmGetItemCount, 0, 0));
    trace.WriteTrace("LVM_GETTITEMCOUNT: " + std::to_string(reported));
    if (reported <= 0) return false;

    // The count is kept in 16 bits; a list beyond that is read up to there.
    const std::int16_t count = static_cast<std::int16_t>(
        std::min<std::int32_t>(reported, std::numeric_limits<std::int16_t>::max()));
    icons.IconCount = count;
    icons.IconPositions.assign(static_cast<std::size_t>(count), IconPoint{});
    icons.IconLabelRects.assign(static_cast<std::size_t>(count), Rect{});
    ReadItemPositions(port, list, owner, icons.IconPositions);
    ReadItemLabelRects(port, list, owner, icons.IconLabelRects);
    return true;
}

}  // namespace brumo
