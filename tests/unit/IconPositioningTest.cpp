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

// The list answers into memory of its own process, as the real control does:
// a caption request must say in its first field which part is wanted, else
// another part of the item comes back. One icon, with a caption no real list
// gives; the ordinary reading runs under Wine against a real list view.
class FakeShell : public ShellListPort {
  public:
    explicit FakeShell(bool failWrites) : failWrites_(failWrites) {}
    std::map<std::uint64_t, std::vector<std::uint8_t>> blocks;  // live blocks by address
    std::uint64_t allocations = 0;

    WindowHandle FindTopLevelWindow(std::string_view) override { return 1; }
    WindowHandle FindChildWindow(WindowHandle parent, std::string_view) override {
        return parent + 1;
    }
    ProcessId WindowProcessId(WindowHandle) override { return 42; }
    std::int64_t SendListMessage(WindowHandle, std::uint32_t message, std::uint64_t,
                                 std::uint64_t address) override {
        static constexpr std::int32_t kPoint[] = {20, 10}, kIcon[] = {0, 0, 1, 1},
                                      kCaption[] = {INT_MIN, 33, INT_MAX, 61};
        if (message == kLvmGetItemCount) return 1;
        std::vector<std::uint8_t>& record = blocks.at(address);
        std::int32_t part = 0;
        std::memcpy(&part, record.data(), sizeof part);
        const std::int32_t* answer = message != kLvmGetItemRect ? kPoint
                                     : part == kLvirLabel       ? kCaption
                                                                : kIcon;
        std::memcpy(record.data(), answer, record.size());
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
            if (shell.failWrites_) return false;
            std::copy(data.begin(), data.end(), shell.blocks.at(base).begin() + offset);
            return true;
        }
        bool Read(std::size_t offset, std::span<std::uint8_t> data) override {
            std::copy_n(shell.blocks.at(base).begin() + offset, data.size(), data.begin());
            return true;
        }
        FakeShell& shell;
        const std::uint64_t base;
    };
    const bool failWrites_;
};

// A caption across the whole 32-bit range keeps the largest width; requests
// that could not be written are not sent, so the caption stays zero rather
// than another part of the icon. Every block is freed.
TEST(IconDiscovery, ExtremeCaptionsAndUnwrittenRequests) {
    for (const bool failWrites : {false, true}) {
        FakeShell shell(failWrites);
        test::FakeClock clock;
        test::FakeLocale locale;
        test::FakeTraceSink sink;
        Trace trace{sink, clock, locale};
        DesktopIcons icons;
        EXPECT_TRUE(GetDesktopIconPositions(shell, trace, icons));
        EXPECT_EQ(icons.IconPositions, (std::vector<IconPoint>{{20, 10}}));
        const Rect caption = failWrites ? Rect{} : Rect{INT_MIN, 33, INT_MAX, 28};
        EXPECT_EQ(icons.IconLabelRects, std::vector<Rect>(1, caption));
        EXPECT_TRUE(shell.blocks.empty());
    }
}

}  // namespace
}  // namespace brumo
