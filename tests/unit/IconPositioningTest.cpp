// Desktop icon discovery against a fake shell, and the ledges it leads to.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <set>

#include "Fakes.h"
#include "animation/IconLedges.h"

namespace brumo {
namespace {

using Cells = std::set<std::pair<std::int32_t, std::int32_t>>;  // (x, y)

Cells Row(std::int32_t y, std::int32_t x1, std::int32_t x2, Cells cells = {}) {
    for (std::int32_t x = x1; x <= x2; ++x) cells.insert({x, y});
    return cells;
}

// Icon at (100, 50) of size 32, caption from (80, 86) to (150, 100): cells
// 100..132 of row 52 and 80..150 of row 89.
TEST(IconLedges, IconTopAndCaptionTop) {
    SnowGrid grid;
    grid.Allocate(200.0, 100.0);
    MarkIconLedges(grid, {1, {{100, 50}}, {{80, 86, 70, 14}}}, 32);
    Cells cells;
    for (std::int32_t y = -30; y <= 100; ++y)
        for (std::int32_t x = -30; x <= 230; ++x)
            if (grid.At(x, y) != 0) cells.insert({x, y});
    EXPECT_EQ(cells, Row(52, 100, 132, Row(89, 80, 150)));
}

// The list answers into memory committed in its own process, as the real
// control does: it reads which part is wanted from the rectangle's first
// field and writes its answer (left, top, right, bottom) over the record.
class FakeShell : public ShellListPort {
  public:
    static constexpr WindowHandle kList = -1234567;
    explicit FakeShell(bool failWrites) : failWrites_(failWrites) {}
    std::map<std::uint64_t, std::vector<std::uint8_t>> blocks;  // live blocks by address
    std::uint64_t allocations = 0;

    WindowHandle FindTopLevelWindow(std::string_view name) override {
        return FindChildWindow(0, name);
    }
    WindowHandle FindChildWindow(WindowHandle parent, std::string_view name) override {
        const std::tuple<WindowHandle, std::string_view, WindowHandle> windows[] = {
            {0, "Progman", 65552},
            {65552, "SHELLDLL_DefView", 131218},
            {131218, "SysListView32", kList}};
        for (const auto& [up, window, handle] : windows)
            if (up == parent && window == name) return handle;
        return 0;
    }
    ProcessId WindowProcessId(WindowHandle window) override { return window == kList ? 42 : 1; }
    std::int64_t SendListMessage(WindowHandle list, std::uint32_t message, std::uint64_t item,
                                 std::uint64_t address) override {
        static constexpr std::int32_t kPoints[2][2] = {{20, 10}, {1200, -5}};
        static constexpr std::int32_t kEdges[2][4] = {{2, 48, 75, 76}, {INT_MIN, 33, INT_MAX, 61}};
        if (list != kList) return 0;
        if (message == kLvmGetItemCount) return 2;
        const bool rect = message == kLvmGetItemRect;
        std::uint8_t* at = Locate(address, rect ? kRectRecordBytes : kPointRecordBytes);
        if (at == nullptr || item >= 2) return 0;
        std::int32_t part = 0;
        std::memcpy(&part, at, sizeof part);
        if (!rect) std::memcpy(at, kPoints[item], kPointRecordBytes);
        if (rect && part == kLvirLabel) std::memcpy(at, kEdges[item], kRectRecordBytes);
        if (rect && part != kLvirLabel) std::memset(at, 0xF9, kRectRecordBytes);
        return 1;
    }
    std::unique_ptr<RemoteMemory> AllocateInProcess(ProcessId, std::size_t size) override {
        return std::make_unique<Block>(*this, size);
    }

  private:
    struct Block : RemoteMemory {
        Block(FakeShell& owner, std::size_t size) : shell(owner), base(++owner.allocations << 32) {
            shell.blocks[base].resize(size);
        }
        ~Block() override { shell.blocks.erase(base); }
        std::uint64_t Address(std::size_t offset) const override { return base + offset; }
        bool Write(std::size_t offset, std::span<const std::uint8_t> data) override {
            std::uint8_t* at =
                shell.failWrites_ ? nullptr : shell.Locate(base + offset, data.size());
            if (at != nullptr) std::copy(data.begin(), data.end(), at);
            return at != nullptr;
        }
        bool Read(std::size_t offset, std::span<std::uint8_t> data) override {
            const std::uint8_t* at = shell.Locate(base + offset, data.size());
            if (at != nullptr) std::copy_n(at, data.size(), data.begin());
            return at != nullptr;
        }
        FakeShell& shell;
        const std::uint64_t base;
    };
    // The committed bytes at `address`, or null when they are not all in one block.
    std::uint8_t* Locate(std::uint64_t address, std::size_t size) {
        const auto block = blocks.find(address >> 32 << 32);
        const std::uint64_t at = address & 0xFFFFFFFF;
        if (block == blocks.end() || at + size > block->second.size()) return nullptr;
        return block->second.data() + at;
    }
    const bool failWrites_;
};

// Requests that could not be written must not be sent: their captions stay zero.
TEST(IconDiscovery, ReadsPositionsAndCaptionsFromTheListsProcess) {
    const std::vector<IconPoint> points{{20, 10}, {1200, -5}};
    const std::vector<Rect> captions{{2, 48, 73, 28}, {INT_MIN, 33, INT_MAX, 28}};
    for (const bool failWrites : {false, true}) {
        FakeShell shell(failWrites);
        test::FakeClock clock;
        test::FakeLocale locale;
        test::FakeTraceSink sink;
        Trace trace{sink, clock, locale};
        DesktopIcons icons;
        EXPECT_TRUE(GetDesktopIconPositions(shell, trace, icons));
        EXPECT_EQ(icons.IconPositions, points);
        EXPECT_EQ(icons.IconLabelRects, failWrites ? std::vector<Rect>(2) : captions);
        EXPECT_TRUE(shell.blocks.empty());
    }
}

}  // namespace
}  // namespace brumo
