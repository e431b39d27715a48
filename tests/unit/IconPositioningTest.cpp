// Desktop icon discovery against a fake shell, and the ledges it leads to.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <map>
#include <set>

#include "FakeRegistry.h"
#include "Fakes.h"
#include "animation/IconLedges.h"

namespace brumo {
namespace {

using Cells = std::set<std::pair<std::int32_t, std::int32_t>>;  // (x, y)

Cells Ledges(const DesktopIcons& icons, std::int32_t iconSize, double width = 400.0,
             double height = 400.0) {
    SnowGrid grid;
    grid.Allocate(width, height);
    MarkIconLedges(grid, icons, iconSize);
    Cells cells;
    for (std::int32_t y = -SnowGrid::kMargin; y <= grid.UB2(); ++y)
        for (std::int32_t x = -SnowGrid::kMargin; x <= grid.UB1(); ++x)
            if (grid.At(x, y) != 0) cells.insert({x, y});
    return cells;
}

Cells Row(std::int32_t y, std::int32_t x1, std::int32_t x2, Cells cells = {}) {
    for (std::int32_t x = x1; x <= x2; ++x) cells.insert({x, y});
    return cells;
}

// Icon at (100, 200), caption from (80, 236) to (150, 250): cells 100..100+s
// of row 202 and 80..150 of row 239.
const DesktopIcons kOneIcon{1, {{100, 200}}, {{80, 236, 70, 14}}};

TEST(IconLedges, IconTopAndCaptionTopFollowTheShellIconSize) {
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
        EXPECT_EQ(Ledges(kOneIcon, size), Row(202, 100, 100 + c.size, Row(239, 80, 150)));
    }
    // A count beyond the entries reads only the entries; a negative one none;
    // a zero caption marks one cell and a negative size no icon ledge.
    EXPECT_EQ(Ledges({5, kOneIcon.IconPositions, kOneIcon.IconLabelRects}, 32),
              Row(202, 100, 132, Row(239, 80, 150)));
    EXPECT_TRUE(Ledges({-1, kOneIcon.IconPositions, kOneIcon.IconLabelRects}, 32).empty());
    EXPECT_EQ(Ledges({1, {{100, 200}}, {{}}}, -1), (Cells{{0, 3}}));
}

TEST(IconLedges, LedgesReachingOutOfTheGridAreClipped) {
    // Grid columns -30..230, rows -30..100. Icon ledges partly left and right
    // of it, on its last and first rows, above it and far away; caption ledges
    // on the last row, across all columns, and far away without overflow.
    DesktopIcons icons;
    icons.IconPositions = {{-50, 20}, {220, 30}, {231, 40}, {10, -32}, {INT_MAX, INT_MAX}};
    icons.IconLabelRects = {{40, 97, 50, 13},
                            {-1000, 47, 2000, 13},
                            {INT_MIN, INT_MAX - 1, INT_MAX, 1},
                            {INT_MAX, INT_MIN, INT_MIN, 0},
                            {-10, 98, 5, 5}};
    icons.IconCount = 5;
    Cells expected = Row(22, -30, -18, Row(32, 220, 230, Row(-30, 10, 42)));
    expected = Row(100, 40, 90, Row(50, -30, 230, expected));
    EXPECT_EQ(Ledges(icons, 32, 200.0, 100.0), expected);
}

// The list answers into memory committed in its own process, as the real
// control does: it reads which part is wanted from the rectangle's first
// field and writes its answer over the record.
class FakeShell : public ShellListPort {
  public:
    static constexpr ProcessId kExplorer = 4242;
    static constexpr WindowHandle kList = -1234567;
    std::map<std::pair<WindowHandle, std::string>, WindowHandle> windows = {
        {{0, "Progman"}, 65552},
        {{65552, "SHELLDLL_DefView"}, 131218},
        {{131218, "SysListView32"}, kList}};
    std::vector<std::array<std::int32_t, 2>> points = {{20, 10}, {20, 90}, {1200, -5}};
    std::vector<std::array<std::int32_t, 4>> edges = {// left, top, right, bottom
                                                      {2, 48, 75, 76},
                                                      {-1, 128, 78, 142},
                                                      {INT_MIN, 33, INT_MAX, 61}};
    std::size_t failSize = 0, refusedItem = 99;
    bool refuseWrites = false, failReads = false;
    std::vector<std::size_t> sizes;
    int liveBlocks = 0, badAddresses = 0;

    WindowHandle FindTopLevelWindow(std::string_view name) override { return Find(0, name); }
    WindowHandle FindChildWindow(WindowHandle parent, std::string_view name) override {
        return Find(parent, name);
    }
    ProcessId WindowProcessId(WindowHandle window) override {
        return window == kList ? kExplorer : 1;
    }
    std::int64_t SendListMessage(WindowHandle list, std::uint32_t message, std::uint64_t item,
                                 std::uint64_t address) override {
        if (list != kList) return 0;
        if (message == kLvmGetItemCount) return static_cast<std::int64_t>(points.size());
        const bool rect = message == kLvmGetItemRect;
        std::uint8_t* at = Locate(address, rect ? kRectRecordBytes : kPointRecordBytes);
        if (at == nullptr || item >= points.size() || item == refusedItem) return 0;
        std::int32_t part = 0;
        std::memcpy(&part, at, sizeof part);
        if (rect && part != kLvirLabel) return std::memset(at, 0xF9, kRectRecordBytes), 1;
        if (rect) std::memcpy(at, edges[item].data(), kRectRecordBytes);
        if (!rect) std::memcpy(at, points[item].data(), kPointRecordBytes);
        return 1;
    }
    std::unique_ptr<RemoteMemory> AllocateInProcess(ProcessId process, std::size_t size) override {
        sizes.push_back(process == kExplorer ? size : 0);
        if (size == failSize) return nullptr;
        return std::make_unique<Block>(*this, size);
    }

  private:
    struct Block : RemoteMemory {
        Block(FakeShell& shell, std::size_t size) : shell(shell), bytes(size) {
            shell.blocks[Address(0)] = &bytes;
            ++shell.liveBlocks;
        }
        ~Block() override {
            shell.blocks.erase(Address(0));
            --shell.liveBlocks;
        }
        std::uint64_t Address(std::size_t offset) const override {
            return reinterpret_cast<std::uintptr_t>(this) + 0x100000000ULL + offset;
        }
        bool Write(std::size_t offset, std::span<const std::uint8_t> data) override {
            if (shell.refuseWrites || offset + data.size() > bytes.size()) return false;
            return std::copy(data.begin(), data.end(), bytes.begin() + offset), true;
        }
        bool Read(std::size_t offset, std::span<std::uint8_t> data) override {
            if (shell.failReads || offset + data.size() > bytes.size()) return false;
            return std::copy_n(bytes.begin() + offset, data.size(), data.begin()), true;
        }
        FakeShell& shell;
        std::vector<std::uint8_t> bytes;
    };
    WindowHandle Find(WindowHandle parent, std::string_view name) const {
        const auto found = windows.find({parent, std::string(name)});
        return found == windows.end() ? 0 : found->second;
    }
    std::uint8_t* Locate(std::uint64_t address, std::size_t size) {
        for (auto& [base, memory] : blocks)
            if (address >= base && address + size <= base + memory->size())
                return memory->data() + (address - base);
        return ++badAddresses, nullptr;
    }
    std::map<std::uint64_t, std::vector<std::uint8_t>*> blocks;
};

class IconDiscovery : public ::testing::Test {
  protected:
    test::FakeClock clock;
    test::FakeLocale locale;
    test::FakeTraceSink sink;
    Trace trace{sink, clock, locale};
    const std::vector<IconPoint> points = {{20, 10}, {20, 90}, {1200, -5}};
    const std::vector<Rect> captions = {
        {2, 48, 73, 28}, {-1, 128, 79, 14}, {INT_MIN, 33, INT_MAX, 28}};
};

TEST_F(IconDiscovery, ReadsPositionsAndCaptionsFromTheListsProcess) {
    FakeShell shell;
    DesktopIcons icons{1, {{7, 8}}, {{1, 2, 3, 4}}};
    ASSERT_TRUE(GetDesktopIconPositions(shell, trace, icons));
    EXPECT_EQ(sink.lines,
              (std::vector<std::string>{"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:131218",
                                        "SysListView32 hWnd:-1234567", "GetSysLVHwnd: -1234567",
                                        "LVM_GETTITEMCOUNT: 3"}));
    EXPECT_EQ(icons.IconCount, 3);
    EXPECT_EQ(icons.IconPositions, points);
    EXPECT_EQ(icons.IconLabelRects, captions);
    // One reused point buffer, then one block of three rectangles, both in the
    // list owner's process and both released again.
    EXPECT_EQ(shell.sizes, (std::vector<std::size_t>{8, 48}));
    EXPECT_EQ(shell.liveBlocks, 0);
    EXPECT_EQ(shell.badAddresses, 0);
}

TEST_F(IconDiscovery, MissingWindowsOrItemsLeaveTheStateAlone) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"Progman", {"Progman hWnd:0", "GetSysLVHwnd: 0"}},
        {"SHELLDLL_DefView", {"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:0", "GetSysLVHwnd: 0"}},
        {"SysListView32",
         {"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:131218", "SysListView32 hWnd:0",
          "GetSysLVHwnd: 0"}},
        {"",
         {"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:131218", "SysListView32 hWnd:-1234567",
          "GetSysLVHwnd: -1234567", "LVM_GETTITEMCOUNT: 0"}}};
    for (const auto& [missing, lines] : cases) {
        FakeShell shell;
        std::erase_if(shell.windows, [&](const auto& w) { return w.first.second == missing; });
        if (missing.empty()) shell.points.clear();
        DesktopIcons icons{1, {{7, 8}}, {{1, 2, 3, 4}}};
        sink.lines.clear();
        EXPECT_FALSE(GetDesktopIconPositions(shell, trace, icons));
        EXPECT_EQ(sink.lines, lines);
        EXPECT_EQ(icons.IconPositions, (std::vector<IconPoint>{{7, 8}}));
        EXPECT_EQ(icons.IconLabelRects, (std::vector<Rect>{{1, 2, 3, 4}}));
        EXPECT_TRUE(shell.sizes.empty());
    }
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
        {[](FakeShell& s) { s.refusedItem = 1; },
         {points[0], {}, points[2]},
         {captions[0], {}, captions[2]}},
        {[](FakeShell& s) { s.failSize = 8; }, noPoints, captions},
        // Unwritten requests must not be sent: the list would answer other parts.
        {[](FakeShell& s) { s.refuseWrites = true; }, points, noRects},
        {[](FakeShell& s) { s.failReads = true; }, noPoints, noRects},
    };
    for (const auto& c : cases) {
        FakeShell shell;
        c.fail(shell);
        DesktopIcons icons;
        ASSERT_TRUE(GetDesktopIconPositions(shell, trace, icons));
        EXPECT_EQ(icons.IconPositions, c.positions);
        EXPECT_EQ(icons.IconLabelRects, c.captions);
        EXPECT_EQ(shell.liveBlocks, 0);
    }
}

}  // namespace
}  // namespace brumo
