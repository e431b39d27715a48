// Desktop icon discovery against a fake shell, and the ledges it leads to.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "FakeRegistry.h"
#include "Fakes.h"
#include "animation/IconLedges.h"
#include "imaging/IconPositioning.h"

namespace brumo {
namespace {

using Cell = std::pair<std::int32_t, std::int32_t>;  // (x, y)

std::set<Cell> OccupiedCells(const SnowGrid& grid) {
    std::set<Cell> cells;
    for (std::int32_t y = -SnowGrid::kMargin; y <= grid.UB2(); ++y)
        for (std::int32_t x = -SnowGrid::kMargin; x <= grid.UB1(); ++x)
            if (grid.At(x, y) != 0) cells.insert({x, y});
    return cells;
}

void AddRow(std::set<Cell>& cells, std::int32_t y, std::int32_t x1, std::int32_t x2) {
    for (std::int32_t x = x1; x <= x2; ++x) cells.insert({x, y});
}

// The ledges of the icon at (100, 200) with caption (80, 236, 150, 250) on a
// 400 x 400 screen.
std::set<Cell> LedgesOfOneIcon(std::int32_t iconSize,
                               DesktopIcons icons = {1, {{100, 200}}, {{80, 236, 70, 14}}}) {
    SnowGrid grid;
    grid.Allocate(400.0, 400.0);
    MarkIconLedges(grid, icons, iconSize);
    return OccupiedCells(grid);
}

std::set<Cell> ExpectedLedges(std::int32_t iconSize, std::set<Cell> expected = {}) {
    AddRow(expected, 202, 100, 100 + iconSize);
    AddRow(expected, 239, 80, 150);
    return expected;
}

// ------------------------------------------------------------------ ledges

TEST(IconLedges, MarkTheIconTopAndTheCaptionTopAndNothingElse) {
    EXPECT_EQ(LedgesOfOneIcon(32), ExpectedLedges(32));
    // A count beyond the entries reads only the entries; a negative one none.
    EXPECT_EQ(LedgesOfOneIcon(32, {5, {{100, 200}}, {{80, 236, 70, 14}}}), ExpectedLedges(32));
    EXPECT_TRUE(LedgesOfOneIcon(32, {-1, {{100, 200}}, {{80, 236, 70, 14}}}).empty());
    // A zero caption rectangle marks one cell, a negative size no icon ledge.
    EXPECT_EQ(LedgesOfOneIcon(-1, {1, {{100, 200}}, {{}}}), (std::set<Cell>{{0, 3}}));

    // Marking again (a restart of the snow) clears nothing.
    SnowGrid grid;
    grid.Allocate(400.0, 400.0);
    grid.Set(5, 5, 1);
    MarkIconLedges(grid, {1, {{100, 200}}, {{80, 236, 70, 14}}}, 32);
    EXPECT_EQ(OccupiedCells(grid), ExpectedLedges(32, {{5, 5}}));
}

// The icon ledge is size + 1 cells wide: 49 at 48, 33 when the value is absent.
TEST(IconLedges, WidthFollowsTheShellIconSize) {
    const struct {
        const char* stored;  // nullptr: no value
        std::int32_t size;
        bool unreadable = false;
    } cases[] = {{nullptr, 32}, {"", 32},      {"48", 48}, {" 64 ", 64},
                 {"47.5", 48},  {"16 px", 16}, {"abc", 0}, {"48", 32, true}};
    for (const auto& c : cases) {
        test::FakeRegistry registry;
        if (c.stored != nullptr)
            registry.Preset(std::string(kWindowMetricsKeyPath), kShellIconSizeValue, c.stored);
        if (c.unreadable) registry.FailKey(std::string(kWindowMetricsKeyPath));
        const std::int32_t size = GetShellIconSize(registry);
        EXPECT_EQ(size, c.size) << (c.stored ? c.stored : "(absent)");
        EXPECT_EQ(registry.OpenKeys(), 0u);
        EXPECT_EQ(LedgesOfOneIcon(size), ExpectedLedges(c.size));
    }
}

TEST(IconLedges, LedgesReachingOutOfTheGridAreClipped) {
    SnowGrid grid;
    grid.Allocate(200.0, 100.0);  // columns -30..230, rows -30..100
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    // Icon ledges partly and wholly left and right of the grid, below it, on its
    // first row, above it, and far away; caption ledges on the last row, below
    // the grid, over all columns, far away (no overflow, no cells) or above it.
    const Rect o{-500, -500, 100, 10}, last{40, 97, 50, 13}, below{40, 98, 50, 12},
        across{-1000, 47, 2000, 13}, far1{kMin, kMax - 1, kMax, 1}, far2{kMax, kMin, kMin, 0};
    DesktopIcons icons;
    icons.IconPositions = {{-50, 20}, {-70, 10}, {220, 30}, {231, 40},    {50, 99},
                           {60, 98},  {10, -32}, {10, -40}, {kMax, kMax}, {kMin, kMin}};
    icons.IconLabelRects = {o, o, o, o, last, below, across, o, far1, far2};
    icons.IconCount = static_cast<std::int16_t>(icons.IconPositions.size());
    MarkIconLedges(grid, icons, 32);

    std::set<Cell> expected;
    AddRow(expected, 22, -30, -18);  // partly left of the grid
    AddRow(expected, 32, 220, 230);  // partly right of it
    AddRow(expected, 100, 40, 90);
    AddRow(expected, 100, 60, 92);
    AddRow(expected, -30, 10, 42);
    AddRow(expected, 50, -30, 230);
    EXPECT_EQ(OccupiedCells(grid), expected);
}

// --------------------------------------------------------------- discovery

// A shell of windows with one icon list owned by another process. The list
// answers its requests into the fake process memory the discovery commits,
// as the real control does: it reads which part is wanted from the
// rectangle's first field and writes its answer over the record.
class FakeShell : public ShellListPort {
  public:
    struct Window {
        WindowHandle handle, parent;  // parent 0: top-level
        std::string className;
        ProcessId process;
    };
    static constexpr ProcessId kExplorer = 4242;
    static constexpr WindowHandle kList = -1234567;
    std::vector<Window> windows = {{65552, 0, "Progman", 1000},  // not the list's process
                                   {131218, 65552, "SHELLDLL_DefView", kExplorer},
                                   {kList, 131218, "SysListView32", kExplorer}};
    std::vector<IconPoint> positions;  // the list's items
    std::vector<Rect> captions;        // what LVIR_LABEL answers; any other part: all -7

    // Failures to play.
    std::size_t failAllocationOfSize = 0;
    std::size_t refusePositionOf = ~std::size_t{0};
    bool refuseWrites = false;
    bool failReads = false;

    std::vector<std::pair<ProcessId, std::size_t>> allocations;  // (process, size)
    int liveBlocks = 0;
    int badAddresses = 0;

    WindowHandle FindTopLevelWindow(std::string_view className) override {
        return Find(0, className);
    }
    WindowHandle FindChildWindow(WindowHandle parent, std::string_view className) override {
        return Find(parent, className);
    }
    ProcessId WindowProcessId(WindowHandle window) override {
        for (const Window& w : windows)
            if (w.handle == window) return w.process;
        return 0;
    }
    std::int64_t SendListMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                 std::uint64_t lParam) override {
        const std::size_t item = static_cast<std::size_t>(wParam);
        if (window != kList) return 0;
        if (message == kLvmGetItemCount) return static_cast<std::int64_t>(positions.size());
        const bool isRect = message == kLvmGetItemRect;
        std::uint8_t* at = Locate(lParam, isRect ? kRectRecordBytes : kPointRecordBytes);
        if (item >= positions.size() || at == nullptr) return 0;
        if (message == kLvmGetItemPosition) {
            if (item == refusePositionOf) return 0;
            Put(at, {positions[item].X, positions[item].Y});
        } else if (isRect) {
            std::int32_t part = 0;
            std::memcpy(&part, at, sizeof part);
            const Rect r = part == kLvirLabel ? captions[item] : Rect{-7, -7, 0, 0};
            Put(at, {r.left, r.top, r.left + r.width, r.top + r.height});
        }
        return 1;
    }
    std::unique_ptr<RemoteMemory> AllocateInProcess(ProcessId process, std::size_t size) override {
        allocations.emplace_back(process, size);
        if (size == failAllocationOfSize) return nullptr;
        nextBase_ += kBlockSpacing;
        blocks_[nextBase_] = std::vector<std::uint8_t>(size, 0);
        ++liveBlocks;
        return std::make_unique<Block>(*this, nextBase_);
    }

  private:
    static constexpr std::uint64_t kBlockSpacing = 0x100000ULL;

    class Block : public RemoteMemory {
      public:
        Block(FakeShell& shell, std::uint64_t base) : shell_(shell), base_(base) {}
        ~Block() override {
            shell_.blocks_.erase(base_);
            --shell_.liveBlocks;
        }
        std::uint64_t Address(std::size_t offset) const override { return base_ + offset; }
        bool Write(std::size_t offset, std::span<const std::uint8_t> bytes) override {
            std::vector<std::uint8_t>& memory = shell_.blocks_[base_];
            if (shell_.refuseWrites || offset + bytes.size() > memory.size()) return false;
            std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<long>(offset));
            return true;
        }
        bool Read(std::size_t offset, std::span<std::uint8_t> bytes) override {
            const std::vector<std::uint8_t>& memory = shell_.blocks_[base_];
            if (shell_.failReads || offset + bytes.size() > memory.size()) return false;
            std::copy_n(memory.begin() + static_cast<long>(offset), bytes.size(), bytes.begin());
            return true;
        }

      private:
        FakeShell& shell_;
        std::uint64_t base_;
    };

    WindowHandle Find(WindowHandle parent, std::string_view className) const {
        for (const Window& w : windows)
            if (w.parent == parent && w.className == className) return w.handle;
        return 0;
    }
    // The bytes at a remote address, when a live block holds all of them.
    std::uint8_t* Locate(std::uint64_t address, std::size_t size) {
        for (auto& [base, memory] : blocks_)
            if (address >= base && address + size <= base + memory.size())
                return memory.data() + (address - base);
        ++badAddresses;
        return nullptr;
    }
    static void Put(std::uint8_t* record, std::initializer_list<std::int32_t> fields) {
        for (const std::int32_t value : fields)
            for (std::size_t i = 0; i < 4; ++i)
                *record++ = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }

    std::map<std::uint64_t, std::vector<std::uint8_t>> blocks_;
    std::uint64_t nextBase_ = 0x123400000ULL;  // above 4 GiB, as in a 64-bit shell
};

class IconDiscovery : public ::testing::Test {
  protected:
    FakeShell Shell(std::size_t items = 3) {
        FakeShell shell;
        shell.positions.assign(points_.begin(), points_.begin() + static_cast<long>(items));
        shell.captions.assign(labels_.begin(), labels_.begin() + static_cast<long>(items));
        return shell;
    }
    // Discovery that fails keeps the state left from an earlier read.
    void ExpectFailureKeepsState(FakeShell& shell, const std::vector<std::string>& lines) {
        DesktopIcons icons{1, {{7, 8}}, {{1, 2, 3, 4}}};
        sink_.lines.clear();
        EXPECT_FALSE(GetDesktopIconPositions(shell, trace_, icons));
        EXPECT_EQ(sink_.lines, lines);
        EXPECT_EQ(icons.IconCount, 1);
        EXPECT_EQ(icons.IconPositions, (std::vector<IconPoint>{{7, 8}}));
        EXPECT_EQ(icons.IconLabelRects, (std::vector<Rect>{{1, 2, 3, 4}}));
        EXPECT_TRUE(shell.allocations.empty());
    }

    test::FakeClock clock_;
    test::FakeLocale locale_;
    test::FakeTraceSink sink_;
    Trace trace_{sink_, clock_, locale_};
    const std::vector<IconPoint> points_ = {{20, 10}, {20, 90}, {1200, -5}};
    const std::vector<Rect> labels_ = {{2, 48, 73, 28}, {-1, 128, 79, 14}, {1180, 33, 80, 28}};
};

TEST_F(IconDiscovery, ReadsPositionsAndCaptionsFromTheListsProcess) {
    FakeShell shell = Shell();
    DesktopIcons icons{1, {{7, 8}}, {{1, 2, 3, 4}}};
    ASSERT_TRUE(GetDesktopIconPositions(shell, trace_, icons));
    EXPECT_EQ(sink_.lines,
              (std::vector<std::string>{"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:131218",
                                        "SysListView32 hWnd:-1234567", "GetSysLVHwnd: -1234567",
                                        "LVM_GETTITEMCOUNT: 3"}));
    EXPECT_EQ(icons.IconCount, 3);
    EXPECT_EQ(icons.IconPositions, points_);
    EXPECT_EQ(icons.IconLabelRects, labels_);
    // One reused point buffer, then one block of three rectangles, both in
    // the list owner's process, both released again.
    EXPECT_EQ(shell.allocations, (std::vector<std::pair<ProcessId, std::size_t>>{
                                     {FakeShell::kExplorer, 8}, {FakeShell::kExplorer, 48}}));
    EXPECT_EQ(shell.liveBlocks, 0);
    EXPECT_EQ(shell.badAddresses, 0);
}

TEST_F(IconDiscovery, MissingWindowsOrItemsLeaveTheStateAlone) {
    const std::vector<std::vector<std::string>> lines = {
        {"Progman hWnd:0", "GetSysLVHwnd: 0"},
        {"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:0", "GetSysLVHwnd: 0"},
        {"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:131218", "SysListView32 hWnd:0",
         "GetSysLVHwnd: 0"}};
    for (std::size_t kept = 0; kept < lines.size(); ++kept) {
        FakeShell shell = Shell();
        shell.windows.resize(kept);
        ExpectFailureKeepsState(shell, lines[kept]);
    }
    FakeShell empty = Shell(0);
    ExpectFailureKeepsState(
        empty, {"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:131218", "SysListView32 hWnd:-1234567",
                "GetSysLVHwnd: -1234567", "LVM_GETTITEMCOUNT: 0"});
}

TEST_F(IconDiscovery, FailedRequestsLeaveTheirEntriesZero) {
    const std::vector<IconPoint> noPoints(3);
    const std::vector<Rect> noRects(3);
    const struct {
        std::function<void(FakeShell&)> fail;
        std::vector<IconPoint> positions;
        std::vector<Rect> captions;
    } cases[] = {
        // The buffer still holds item 0's position when item 1's is refused.
        {[](FakeShell& s) { s.refusePositionOf = 1; }, {points_[0], {}, points_[2]}, labels_},
        {[](FakeShell& s) { s.failAllocationOfSize = 8; }, noPoints, labels_},
        // Unwritten requests must not be sent: the list would answer the bounds.
        {[](FakeShell& s) { s.refuseWrites = true; }, points_, noRects},
        {[](FakeShell& s) { s.failReads = true; }, noPoints, noRects},
    };
    for (const auto& c : cases) {
        FakeShell shell = Shell();
        c.fail(shell);
        DesktopIcons icons;
        ASSERT_TRUE(GetDesktopIconPositions(shell, trace_, icons));
        EXPECT_EQ(icons.IconCount, 3);
        EXPECT_EQ(icons.IconPositions, c.positions);
        EXPECT_EQ(icons.IconLabelRects, c.captions);
        EXPECT_EQ(shell.liveBlocks, 0);
    }
}

}  // namespace
}  // namespace brumo
