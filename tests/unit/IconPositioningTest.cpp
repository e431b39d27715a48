// Desktop icon discovery against a fake shell, and the ledges it leads to.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "FakeRegistry.h"
#include "Fakes.h"
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

DesktopIcons OneIcon(IconPoint position, IconRect caption) {
    return DesktopIcons{1, {position}, {caption}};
}

// The occupied columns of one row, as (first, last, count).
struct RowSpan {
    std::int32_t first = 0;
    std::int32_t last = 0;
    std::int32_t count = 0;
    bool operator==(const RowSpan&) const = default;
};
RowSpan SpanOfRow(const SnowGrid& grid, std::int32_t y) {
    RowSpan span;
    for (std::int32_t x = -SnowGrid::kMargin; x <= grid.UB1(); ++x) {
        if (grid.At(x, y) == 0) continue;
        if (span.count == 0) span.first = x;
        span.last = x;
        ++span.count;
    }
    return span;
}

// ------------------------------------------------------------------ ledges

TEST(IconLedges, MarkTheIconTopAndTheCaptionTopAndNothingElse) {
    SnowGrid grid;
    grid.Allocate(400.0, 400.0);
    MarkIconLedges(grid, OneIcon({100, 200}, {80, 236, 150, 250}), 32);
    std::set<Cell> expected;
    AddRow(expected, 202, 100, 132);
    AddRow(expected, 239, 80, 150);
    EXPECT_EQ(OccupiedCells(grid), expected);
    EXPECT_EQ(expected.size(), 33u + 71u);

    // Marking again (a restart of the snow) changes nothing; nothing is cleared.
    grid.Set(5, 5, 1);
    MarkIconLedges(grid, OneIcon({100, 200}, {80, 236, 150, 250}), 32);
    expected.insert({5, 5});
    EXPECT_EQ(OccupiedCells(grid), expected);
}

TEST(IconLedges, ZeroCaptionRectangleMarksOneCellAndNegativeSizeNoIconLedge) {
    SnowGrid grid;
    grid.Allocate(400.0, 400.0);
    MarkIconLedges(grid, OneIcon({100, 200}, {}), -1);
    EXPECT_EQ(OccupiedCells(grid), (std::set<Cell>{{0, 3}}));
}

TEST(IconLedges, WidthFollowsTheShellIconSize) {
    const DesktopIcons icon = OneIcon({100, 200}, {80, 236, 150, 250});
    struct Case {
        const char* stored;  // nullptr: no value
        std::int32_t size;
    };
    const Case cases[] = {
        {nullptr, 32}, {"", 32}, {"48", 48}, {" 64 ", 64}, {"47.5", 48}, {"16 px", 16}, {"abc", 0},
    };
    for (const Case& c : cases) {
        test::FakeRegistry registry;
        if (c.stored != nullptr)
            registry.Preset("HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics",
                            "Shell Icon Size", c.stored);
        const std::int32_t size = GetShellIconSize(registry);
        EXPECT_EQ(size, c.size) << (c.stored ? c.stored : "(absent)");
        EXPECT_EQ(registry.OpenKeys(), 0u);
        SnowGrid grid;
        grid.Allocate(400.0, 400.0);
        MarkIconLedges(grid, icon, size);
        EXPECT_EQ(SpanOfRow(grid, 202), (RowSpan{100, 100 + c.size, c.size + 1}))
            << (c.stored ? c.stored : "(absent)");
    }
}

TEST(IconLedges, UnreadableKeyCountsAsAbsent) {
    test::FakeRegistry registry;
    registry.Preset("HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size",
                    "48");
    registry.FailKey("HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics");
    EXPECT_EQ(GetShellIconSize(registry), 32);
}

TEST(IconLedges, LedgesReachingOutOfTheGridAreClipped) {
    SnowGrid grid;
    grid.Allocate(200.0, 100.0);  // columns -30..230, rows -30..100
    ASSERT_EQ(grid.UB1(), 230);
    ASSERT_EQ(grid.UB2(), 100);
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const IconRect outside{-500, -500, -400, -490};  // its ledge row -497 lies above the grid
    DesktopIcons icons;
    const std::vector<std::pair<IconPoint, IconRect>> entries = {
        {{-50, 20}, outside},                // partly left of the grid: -30..-18
        {{-70, 10}, outside},                // wholly left of it
        {{220, 30}, outside},                // partly right of it: 220..230
        {{231, 40}, outside},                // wholly right of it
        {{50, 99}, {40, 97, 90, 110}},       // icon ledge below the grid, caption on the last row
        {{60, 98}, {40, 98, 90, 110}},       // icon ledge on the last row, caption below
        {{10, -32}, {-1000, 47, 1000, 60}},  // icon ledge on the first row, caption over all
        {{10, -40}, outside},                // above the grid
        {{kMax, kMax}, {kMin, kMax - 1, kMax, kMax}},  // far away: no overflow, no cells
        {{kMin, kMin}, {kMax, kMin, kMin, kMin}},
    };
    for (const auto& [point, rect] : entries) {
        icons.IconPositions.push_back(point);
        icons.IconLabelRects.push_back(rect);
    }
    icons.IconCount = static_cast<std::int16_t>(entries.size());
    MarkIconLedges(grid, icons, 32);

    std::set<Cell> expected;
    AddRow(expected, 22, -30, -18);
    AddRow(expected, 32, 220, 230);
    AddRow(expected, 100, 40, 90);
    AddRow(expected, 100, 60, 92);
    AddRow(expected, -30, 10, 42);
    AddRow(expected, 50, -30, 230);
    EXPECT_EQ(OccupiedCells(grid), expected);
}

TEST(IconLedges, CountBeyondTheEntriesReadsOnlyTheEntries) {
    SnowGrid grid;
    grid.Allocate(400.0, 400.0);
    DesktopIcons icons = OneIcon({100, 200}, {80, 236, 150, 250});
    icons.IconCount = 5;
    MarkIconLedges(grid, icons, 32);
    EXPECT_EQ(OccupiedCells(grid).size(), 33u + 71u);
    icons.IconCount = -1;
    SnowGrid untouched;
    untouched.Allocate(400.0, 400.0);
    MarkIconLedges(untouched, icons, 32);
    EXPECT_TRUE(OccupiedCells(untouched).empty());
}

// --------------------------------------------------------------- discovery

// A shell of windows with one icon list owned by another process. The list
// answers its requests into the fake process memory the discovery commits,
// as the real control does: it reads which part is wanted from the
// rectangle's first field and writes its answer over the record.
class FakeShell : public ShellListPort {
  public:
    struct Window {
        WindowHandle handle;
        WindowHandle parent;  // 0: top-level
        std::string className;
        ProcessId process;
    };
    std::vector<Window> windows;
    WindowHandle list = 0;
    std::vector<IconPoint> positions;  // the list's items
    std::vector<IconRect> captions;    // what LVIR_LABEL answers
    std::vector<IconRect> bounds;      // what any other part answers

    // Failures to play.
    std::set<std::size_t> failAllocationsOfSize;
    std::set<std::size_t> refusePositionOf;
    bool refuseWrites = false;
    bool failReads = false;

    // Every call, in order.
    std::vector<std::string> log;
    // (process, size) of each allocation; blocks not yet released.
    std::vector<std::pair<ProcessId, std::size_t>> allocations;
    int liveBlocks = 0;
    int badAddresses = 0;

    static FakeShell Desktop(std::vector<IconPoint> points, std::vector<IconRect> labels) {
        FakeShell shell;
        shell.windows = {{65552, 0, "Progman", kExplorer},
                         {131218, 65552, "SHELLDLL_DefView", kExplorer},
                         {-1234567, 131218, "SysListView32", kExplorer}};
        shell.list = -1234567;
        shell.bounds.assign(points.size(), IconRect{-7, -7, -7, -7});
        shell.positions = std::move(points);
        shell.captions = std::move(labels);
        return shell;
    }
    static constexpr ProcessId kExplorer = 4242;

    WindowHandle FindTopLevelWindow(std::string_view className) override {
        log.push_back("find " + std::string(className));
        return Find(0, className);
    }
    WindowHandle FindChildWindow(WindowHandle parent, std::string_view className) override {
        log.push_back("find-child " + std::to_string(parent) + " " + std::string(className));
        return Find(parent, className);
    }
    ProcessId WindowProcessId(WindowHandle window) override {
        log.push_back("process-of " + std::to_string(window));
        for (const Window& w : windows)
            if (w.handle == window) return w.process;
        return 0;
    }
    std::int64_t SendListMessage(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                 std::uint64_t lParam) override {
        log.push_back("send " + std::to_string(message) + " " + std::to_string(wParam));
        if (window != list) return 0;
        const std::size_t item = static_cast<std::size_t>(wParam);
        switch (message) {
            case kLvmGetItemCount:
                return static_cast<std::int64_t>(positions.size());
            case kLvmGetItemPosition: {
                if (item >= positions.size() || refusePositionOf.count(item) > 0) return 0;
                std::uint8_t* at = Locate(lParam, kPointRecordBytes);
                if (at == nullptr) return 0;
                Put(at, 0, positions[item].X);
                Put(at, 1, positions[item].Y);
                return 1;
            }
            case kLvmGetItemRect: {
                std::uint8_t* at = Locate(lParam, kRectRecordBytes);
                if (item >= positions.size() || at == nullptr) return 0;
                const std::int32_t part = at[0] | at[1] << 8 | at[2] << 16 | at[3] << 24;
                const IconRect& r = part == kLvirLabel ? captions[item] : bounds[item];
                Put(at, 0, r.Left);
                Put(at, 1, r.Top);
                Put(at, 2, r.Right);
                Put(at, 3, r.Bottom);
                return 1;
            }
            default:
                return 0;
        }
    }
    std::unique_ptr<RemoteMemory> AllocateInProcess(ProcessId process, std::size_t size) override {
        log.push_back("allocate " + std::to_string(process) + " " + std::to_string(size));
        allocations.emplace_back(process, size);
        if (failAllocationsOfSize.count(size) > 0) return nullptr;
        const std::uint64_t base = nextBase_;
        nextBase_ += kBlockSpacing;
        blocks_[base] = std::vector<std::uint8_t>(size, 0);
        ++liveBlocks;
        return std::make_unique<Block>(*this, base);
    }

  private:
    // Addresses above 4 GiB, as in a 64-bit shell.
    static constexpr std::uint64_t kFirstBase = 0x123450000ULL;
    static constexpr std::uint64_t kBlockSpacing = 0x100000ULL;

    class Block : public RemoteMemory {
      public:
        Block(FakeShell& shell, std::uint64_t base) : shell_(shell), base_(base) {}
        ~Block() override {
            shell_.log.push_back("release " + std::to_string(shell_.blocks_[base_].size()));
            shell_.blocks_.erase(base_);
            --shell_.liveBlocks;
        }
        std::uint64_t Address(std::size_t offset) const override { return base_ + offset; }
        bool Write(std::size_t offset, std::span<const std::uint8_t> bytes) override {
            shell_.log.push_back("write " + std::to_string(offset) + " " +
                                 std::to_string(bytes.size()));
            std::vector<std::uint8_t>& memory = shell_.blocks_[base_];
            if (shell_.refuseWrites || offset + bytes.size() > memory.size()) return false;
            std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<long>(offset));
            return true;
        }
        bool Read(std::size_t offset, std::span<std::uint8_t> bytes) override {
            shell_.log.push_back("read " + std::to_string(offset) + " " +
                                 std::to_string(bytes.size()));
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
    static void Put(std::uint8_t* record, std::size_t field, std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (std::size_t i = 0; i < 4; ++i)
            record[field * 4 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }

    std::map<std::uint64_t, std::vector<std::uint8_t>> blocks_;
    std::uint64_t nextBase_ = kFirstBase;
};

class IconDiscovery : public ::testing::Test {
  protected:
    test::FakeClock clock_;
    test::FakeLocale locale_;
    test::FakeTraceSink sink_;
    Trace trace_{sink_, clock_, locale_};

    const std::vector<IconPoint> points_ = {{20, 10}, {20, 90}, {1200, -5}};
    const std::vector<IconRect> labels_ = {
        {2, 48, 75, 76}, {-1, 128, 78, 142}, {1180, 33, 1260, 61}};

    // State left from an earlier read, which a failed read must keep.
    static DesktopIcons Earlier() { return DesktopIcons{1, {{7, 8}}, {{1, 2, 3, 4}}}; }
    static void ExpectEarlier(const DesktopIcons& icons) {
        EXPECT_EQ(icons.IconCount, 1);
        EXPECT_EQ(icons.IconPositions, (std::vector<IconPoint>{{7, 8}}));
        EXPECT_EQ(icons.IconLabelRects, (std::vector<IconRect>{{1, 2, 3, 4}}));
    }
};

TEST_F(IconDiscovery, ReadsPositionsAndCaptionsFromTheListsProcess) {
    FakeShell shell = FakeShell::Desktop(points_, labels_);
    shell.windows[0].process = 1000;  // Progman of another process than the list
    DesktopIcons icons = Earlier();
    ASSERT_TRUE(GetDesktopIconPositions(shell, trace_, icons));
    EXPECT_EQ(sink_.lines, (std::vector<std::string>{
                               "Progman hWnd:65552",
                               "SHELLDLL_defVIEW hWnd:131218",
                               "SysListView32 hWnd:-1234567",
                               "GetSysLVHwnd: -1234567",
                               "LVM_GETTITEMCOUNT: 3",
                           }));
    EXPECT_EQ(icons.IconCount, 3);
    EXPECT_EQ(icons.IconPositions, points_);
    EXPECT_EQ(icons.IconLabelRects, labels_);
    // One reused point buffer, then one block of three rectangles, both in
    // the list owner's process, both released again.
    EXPECT_EQ(shell.allocations, (std::vector<std::pair<ProcessId, std::size_t>>{
                                     {FakeShell::kExplorer, 8}, {FakeShell::kExplorer, 48}}));
    EXPECT_EQ(shell.liveBlocks, 0);
    EXPECT_EQ(shell.badAddresses, 0);
    EXPECT_EQ(shell.log, (std::vector<std::string>{
                             "find Progman",
                             "find-child 65552 SHELLDLL_DefView",
                             "find-child 131218 SysListView32",
                             "process-of -1234567",
                             "send 4100 0",
                             "allocate 4242 8",
                             "send 4112 0",
                             "read 0 8",
                             "send 4112 1",
                             "read 0 8",
                             "send 4112 2",
                             "read 0 8",
                             "release 8",
                             "allocate 4242 48",
                             "write 0 48",
                             "send 4110 0",
                             "read 0 16",
                             "send 4110 1",
                             "read 16 16",
                             "send 4110 2",
                             "read 32 16",
                             "release 48",
                         }));
}

TEST_F(IconDiscovery, NoShellWindowsStopsAtTheFirstMissingStep) {
    struct Case {
        std::size_t windowsKept;  // of Progman, DefView, list
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {0, {"Progman hWnd:0", "GetSysLVHwnd: 0"}},
        {1, {"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:0", "GetSysLVHwnd: 0"}},
        {2,
         {"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:131218", "SysListView32 hWnd:0",
          "GetSysLVHwnd: 0"}},
    };
    for (const Case& c : cases) {
        FakeShell shell = FakeShell::Desktop(points_, labels_);
        shell.windows.resize(c.windowsKept);
        sink_.lines.clear();
        DesktopIcons icons = Earlier();
        EXPECT_FALSE(GetDesktopIconPositions(shell, trace_, icons));
        EXPECT_EQ(sink_.lines, c.lines);
        EXPECT_EQ(shell.log.size(), c.windowsKept + 1) << "nothing asked after the search";
        ExpectEarlier(icons);
    }
}

TEST_F(IconDiscovery, GetSysLVHwndAnswersTheList) {
    FakeShell shell = FakeShell::Desktop(points_, labels_);
    EXPECT_EQ(GetSysLVHwnd(shell, trace_), -1234567);
    shell.windows[2].className = "SysTreeView32";
    EXPECT_EQ(GetSysLVHwnd(shell, trace_), 0);
}

TEST_F(IconDiscovery, EmptyListIsTracedAndLeavesTheStateAlone) {
    FakeShell shell = FakeShell::Desktop({}, {});
    DesktopIcons icons = Earlier();
    EXPECT_FALSE(GetDesktopIconPositions(shell, trace_, icons));
    ASSERT_FALSE(sink_.lines.empty());
    EXPECT_EQ(sink_.lines.back(), "LVM_GETTITEMCOUNT: 0");
    EXPECT_EQ(sink_.lines.size(), 5u);
    EXPECT_TRUE(shell.allocations.empty());
    ExpectEarlier(icons);
}

TEST_F(IconDiscovery, FailedRequestsLeaveTheirEntriesZero) {
    {  // the position of item 1 is refused: the buffer still holds item 0's
        FakeShell shell = FakeShell::Desktop(points_, labels_);
        shell.refusePositionOf = {1};
        DesktopIcons icons;
        ASSERT_TRUE(GetDesktopIconPositions(shell, trace_, icons));
        EXPECT_EQ(icons.IconPositions, (std::vector<IconPoint>{points_[0], {}, points_[2]}));
        EXPECT_EQ(icons.IconLabelRects, labels_);
    }
    {  // no point buffer in the shell's process
        FakeShell shell = FakeShell::Desktop(points_, labels_);
        shell.failAllocationsOfSize = {8};
        DesktopIcons icons;
        ASSERT_TRUE(GetDesktopIconPositions(shell, trace_, icons));
        EXPECT_EQ(icons.IconCount, 3);
        EXPECT_EQ(icons.IconPositions, std::vector<IconPoint>(3));
        EXPECT_EQ(icons.IconLabelRects, labels_);
        EXPECT_EQ(shell.liveBlocks, 0);
    }
    {  // the caption requests cannot be written: no rectangle is asked for
        FakeShell shell = FakeShell::Desktop(points_, labels_);
        shell.refuseWrites = true;
        DesktopIcons icons;
        ASSERT_TRUE(GetDesktopIconPositions(shell, trace_, icons));
        EXPECT_EQ(icons.IconPositions, points_);
        EXPECT_EQ(icons.IconLabelRects, std::vector<IconRect>(3));
        EXPECT_EQ(shell.log.back(), "release 48");
        EXPECT_EQ(shell.liveBlocks, 0);
    }
    {  // nothing can be read back
        FakeShell shell = FakeShell::Desktop(points_, labels_);
        shell.failReads = true;
        DesktopIcons icons;
        ASSERT_TRUE(GetDesktopIconPositions(shell, trace_, icons));
        EXPECT_EQ(icons.IconCount, 3);
        EXPECT_EQ(icons.IconPositions, std::vector<IconPoint>(3));
        EXPECT_EQ(icons.IconLabelRects, std::vector<IconRect>(3));
        EXPECT_EQ(shell.liveBlocks, 0);
    }
}

TEST_F(IconDiscovery, DiscoveredIconsGiveTheirLedges) {
    FakeShell shell = FakeShell::Desktop({{100, 200}}, {{80, 236, 150, 250}});
    DesktopIcons icons;
    ASSERT_TRUE(GetDesktopIconPositions(shell, trace_, icons));
    SnowGrid grid;
    grid.Allocate(400.0, 400.0);
    MarkIconLedges(grid, icons, 32);
    EXPECT_EQ(SpanOfRow(grid, 202), (RowSpan{100, 132, 33}));
    EXPECT_EQ(SpanOfRow(grid, 239), (RowSpan{80, 150, 71}));
    EXPECT_EQ(OccupiedCells(grid).size(), 33u + 71u);
}

}  // namespace
}  // namespace brumo
