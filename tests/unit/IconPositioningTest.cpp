// Desktop icon discovery against a fake shell, and the ledges it leads to.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <map>
#include <set>

#include "FakeRegistry.h"
#include "Fakes.h"
#include "animation/IconLedges.h"

namespace brumo {
namespace {

using Cells = std::set<std::pair<std::int32_t, std::int32_t>>;  // (x, y)

Cells Row(std::int32_t y, std::int32_t x1, std::int32_t x2, Cells cells = {}) {
    for (std::int32_t x = x1; x <= x2; ++x) cells.insert({x, y});
    return cells;
}

// The cells of a grid of 200 x 100 (columns -30..230, rows -30..100).
Cells Ledges(const DesktopIcons& icons, std::int32_t iconSize) {
    SnowGrid grid;
    grid.Allocate(200.0, 100.0);
    MarkIconLedges(grid, icons, iconSize);
    Cells cells;
    for (std::int32_t y = -30; y <= 100; ++y)
        for (std::int32_t x = -30; x <= 230; ++x)
            if (grid.At(x, y) != 0) cells.insert({x, y});
    return cells;
}

// Icon at (100, 50), caption from (80, 86) to (150, 100): cells 100..100+s
// of row 52 and 80..150 of row 89, for the size "Shell Icon Size" gives.
TEST(IconLedges, IconTopAndCaptionTopFollowTheShellIconSize) {
    const struct {
        const char* stored;  // nullptr: no value
        std::int32_t size;
        bool unreadable = false;
    } cases[] = {{nullptr, 32}, {"", 32}, {" 64 ", 64}, {"47.5", 48}, {"abc", 0}, {"48", 32, true}};
    for (const auto& c : cases) {
        test::FakeRegistry registry;
        if (c.stored != nullptr)
            registry.Preset(std::string(kWindowMetricsKeyPath), kShellIconSizeValue, c.stored);
        if (c.unreadable) registry.FailKey(std::string(kWindowMetricsKeyPath));
        const std::int32_t size = GetShellIconSize(registry);
        EXPECT_EQ(size, c.size) << (c.stored ? c.stored : "(absent)");
        EXPECT_EQ(Ledges({1, {{100, 50}}, {{80, 86, 70, 14}}}, size),
                  Row(52, 100, 100 + c.size, Row(89, 80, 150)));
    }
    // Only the entries, only inside the grid: icon ledges partly left and
    // right of it, on its first row, above it and far away; caption ledges on
    // the last row, across all columns, far away without overflow, and a zero
    // one (a single cell at (0, 3)).
    // clang-format off
    DesktopIcons icons{6, {{-50, 20}, {220, 30}, {231, 40}, {10, -32}, {INT_MAX, INT_MAX}},
        {{40, 97, 50, 13}, {-1000, 47, 2000, 13}, {INT_MIN, INT_MAX - 1, INT_MAX, 1},
         {INT_MAX, INT_MIN, INT_MIN, 0}, {}}};
    // clang-format on
    const Cells icon = Row(22, -30, -18, Row(32, 220, 230, Row(-30, 10, 42, {{0, 3}})));
    EXPECT_EQ(Ledges(icons, 32), Row(100, 40, 90, Row(50, -30, 230, icon)));
    icons.IconCount = -1;
    EXPECT_TRUE(Ledges(icons, 32).empty());
}

// The list answers into memory committed in its own process, as the real
// control does: it reads which part is wanted from the rectangle's first
// field and writes its answer (left, top, right, bottom) over the record.
// `spoil` names a window class that is gone, or the request that fails.
class FakeShell : public ShellListPort {
  public:
    static constexpr WindowHandle kList = -1234567;
    explicit FakeShell(std::string spoiled) : spoil(std::move(spoiled)) {}
    const std::string spoil;
    std::vector<std::size_t> sizes;  // of every allocation in the list's process
    std::map<std::uint64_t, std::vector<std::uint8_t>> blocks;  // live blocks by address

    WindowHandle FindTopLevelWindow(std::string_view name) override {
        return FindChildWindow(0, name);
    }
    WindowHandle FindChildWindow(WindowHandle parent, std::string_view name) override {
        const std::tuple<WindowHandle, std::string_view, WindowHandle> windows[] = {
            {0, "Progman", 65552},
            {65552, "SHELLDLL_DefView", 131218},
            {131218, "SysListView32", kList}};
        for (const auto& [up, window, handle] : windows)
            if (up == parent && window == name && name != spoil) return handle;
        return 0;
    }
    ProcessId WindowProcessId(WindowHandle window) override { return window == kList ? 42 : 1; }
    std::int64_t SendListMessage(WindowHandle list, std::uint32_t message, std::uint64_t item,
                                 std::uint64_t address) override {
        static constexpr std::int32_t kPoints[3][2] = {{20, 10}, {20, 90}, {1200, -5}};
        static constexpr std::int32_t kEdges[3][4] = {
            {2, 48, 75, 76}, {-1, 128, 78, 142}, {INT_MIN, 33, INT_MAX, 61}};
        if (list != kList) return 0;
        if (message == kLvmGetItemCount) return spoil == "items" ? 0 : 3;
        const bool rect = message == kLvmGetItemRect;
        std::uint8_t* at = Locate(address, rect ? kRectRecordBytes : kPointRecordBytes);
        if (at == nullptr || item >= 3 || (item == 1 && spoil == "item 1")) return 0;
        std::int32_t part = 0;
        std::memcpy(&part, at, sizeof part);
        if (!rect) std::memcpy(at, kPoints[item], kPointRecordBytes);
        if (rect && part == kLvirLabel) std::memcpy(at, kEdges[item], kRectRecordBytes);
        if (rect && part != kLvirLabel) std::memset(at, 0xF9, kRectRecordBytes);
        return 1;
    }
    std::unique_ptr<RemoteMemory> AllocateInProcess(ProcessId process, std::size_t size) override {
        sizes.push_back(process == 42 ? size : 0);
        if (size == 8 && spoil == "alloc 8") return nullptr;
        return std::make_unique<Block>(*this, size);
    }

  private:
    struct Block : RemoteMemory {
        Block(FakeShell& owner, std::size_t size) : shell(owner), base(owner.sizes.size() << 32) {
            shell.blocks[base].resize(size);
        }
        ~Block() override { shell.blocks.erase(base); }
        std::uint64_t Address(std::size_t offset) const override { return base + offset; }
        bool Write(std::size_t offset, std::span<const std::uint8_t> data) override {
            std::uint8_t* at = shell.Locate(base + offset, data.size(), "writes");
            if (at != nullptr) std::copy(data.begin(), data.end(), at);
            return at != nullptr;
        }
        bool Read(std::size_t offset, std::span<std::uint8_t> data) override {
            const std::uint8_t* at = shell.Locate(base + offset, data.size(), "reads");
            if (at != nullptr) std::copy_n(at, data.size(), data.begin());
            return at != nullptr;
        }
        FakeShell& shell;
        const std::uint64_t base;
    };
    // The committed bytes at `address`, or null when they are not all in one
    // block or when the request `refused` is the spoiled one.
    std::uint8_t* Locate(std::uint64_t address, std::size_t size,
                         std::string_view refused = "none") {
        const auto block = blocks.find(address >> 32 << 32);
        const std::uint64_t at = address & 0xFFFFFFFF;
        if (spoil == refused || block == blocks.end() || at + size > block->second.size())
            return nullptr;
        return block->second.data() + at;
    }
};

// Each row spoils the fake shell in one way. Without a list or items the
// earlier state stays and nothing is allocated; a failed request leaves its
// entries zero (a refused position: the buffer still holds item 0's, which
// must not be taken); unwritten requests must not be sent.
TEST(IconDiscovery, ReadsPositionsAndCaptionsFromTheListsProcess) {
    const std::vector<IconPoint> points{{20, 10}, {20, 90}, {1200, -5}}, kept{{7, 8}}, none(3);
    const std::vector<Rect> rects{{2, 48, 73, 28}, {-1, 128, 79, 14}, {INT_MIN, 33, INT_MAX, 28}},
        keptRects{{1, 2, 3, 4}}, noRects(3);
    const struct {
        std::string spoil;  // a window class gone, or the request that fails
        std::vector<IconPoint> positions;
        std::vector<Rect> captions;
    } cases[] = {
        {"", points, rects},
        {"SHELLDLL_DefView", kept, keptRects},
        {"items", kept, keptRects},
        {"item 1", {points[0], {}, points[2]}, {rects[0], {}, rects[2]}},
        {"alloc 8", none, rects},
        {"writes", points, noRects},
        {"reads", none, noRects},
    };
    for (const auto& c : cases) {
        FakeShell shell(c.spoil);
        test::FakeClock clock;
        test::FakeLocale locale;
        test::FakeTraceSink sink;
        Trace trace{sink, clock, locale};
        DesktopIcons icons{1, kept, keptRects};
        const bool found = c.positions != kept;
        EXPECT_EQ(GetDesktopIconPositions(shell, trace, icons), found) << c.spoil;
        EXPECT_EQ(icons.IconCount, static_cast<std::int16_t>(c.positions.size()));
        EXPECT_EQ(icons.IconPositions, c.positions);
        EXPECT_EQ(icons.IconLabelRects, c.captions);
        // One reused point buffer, then one block of rectangles, both released.
        EXPECT_EQ(shell.sizes,
                  found ? std::vector<std::size_t>({8, 48}) : std::vector<std::size_t>());
        EXPECT_TRUE(shell.blocks.empty());
    }
}

}  // namespace
}  // namespace brumo
