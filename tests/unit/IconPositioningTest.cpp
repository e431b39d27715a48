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
    const DesktopIcons icon{1, {{100, 50}}, {{80, 86, 70, 14}}};
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
        EXPECT_EQ(Ledges(icon, size), Row(52, 100, 100 + c.size, Row(89, 80, 150)));
    }
}

TEST(IconLedges, OnlyTheEntriesAndOnlyInsideTheGrid) {
    // Icon ledges partly left and right of the grid, on its first row, above
    // it and far away; caption ledges on the last row, across all columns,
    // far away without overflow, and a zero one (a single cell at (0, 3)).
    DesktopIcons icons{6,
                       {{-50, 20}, {220, 30}, {231, 40}, {10, -32}, {INT_MAX, INT_MAX}},
                       {{40, 97, 50, 13},
                        {-1000, 47, 2000, 13},
                        {INT_MIN, INT_MAX - 1, INT_MAX, 1},
                        {INT_MAX, INT_MIN, INT_MIN, 0},
                        {}}};
    Cells expected = Row(22, -30, -18, Row(32, 220, 230, Row(-30, 10, 42, {{0, 3}})));
    EXPECT_EQ(Ledges(icons, 32), Row(100, 40, 90, Row(50, -30, 230, expected)));
    icons.IconCount = -1;
    EXPECT_TRUE(Ledges(icons, 32).empty());
}

// The list answers into memory committed in its own process, as the real
// control does: it reads which part is wanted from the rectangle's first
// field and writes its answer (left, top, right, bottom) over the record.
class FakeShell : public ShellListPort {
  public:
    static constexpr WindowHandle kList = -1234567;
    std::map<std::pair<WindowHandle, std::string>, WindowHandle> windows = {
        {{0, "Progman"}, 65552},
        {{65552, "SHELLDLL_DefView"}, 131218},
        {{131218, "SysListView32"}, kList}};
    std::vector<std::array<std::int32_t, 2>> points = {{20, 10}, {20, 90}, {1200, -5}};
    std::vector<std::array<std::int32_t, 4>> edges = {
        {2, 48, 75, 76}, {-1, 128, 78, 142}, {INT_MIN, 33, INT_MAX, 61}};
    std::size_t failSize = 0, refusedItem = 99;  // spoiled by the tests
    bool refuseWrites = false, failReads = false;
    std::vector<std::size_t> sizes;  // of every allocation in the list's process
    int liveBlocks = 0, badAddresses = 0;

    WindowHandle FindTopLevelWindow(std::string_view name) override { return Find(0, name); }
    WindowHandle FindChildWindow(WindowHandle parent, std::string_view name) override {
        return Find(parent, name);
    }
    ProcessId WindowProcessId(WindowHandle window) override { return window == kList ? 42 : 1; }
    std::int64_t SendListMessage(WindowHandle list, std::uint32_t message, std::uint64_t item,
                                 std::uint64_t address) override {
        if (list != kList) return 0;
        if (message == kLvmGetItemCount) return static_cast<std::int64_t>(points.size());
        const bool rect = message == kLvmGetItemRect;
        std::uint8_t* at = Locate(address, rect ? kRectRecordBytes : kPointRecordBytes);
        if (at == nullptr || item >= points.size() || item == refusedItem) return 0;
        std::int32_t part = 0;
        std::memcpy(&part, at, sizeof part);
        if (rect && part != kLvirLabel) std::memset(at, 0xF9, kRectRecordBytes);
        if (rect && part == kLvirLabel) std::memcpy(at, edges[item].data(), kRectRecordBytes);
        if (!rect) std::memcpy(at, points[item].data(), kPointRecordBytes);
        return 1;
    }
    std::unique_ptr<RemoteMemory> AllocateInProcess(ProcessId process, std::size_t size) override {
        sizes.push_back(process == 42 ? size : 0);
        return size == failSize ? nullptr : std::make_unique<Block>(*this, size);
    }

  private:
    struct Block : RemoteMemory {
        Block(FakeShell& owner, std::size_t size) : shell(owner), bytes(size) {
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
            std::copy(data.begin(), data.end(), bytes.begin() + static_cast<long>(offset));
            return true;
        }
        bool Read(std::size_t offset, std::span<std::uint8_t> data) override {
            if (shell.failReads || offset + data.size() > bytes.size()) return false;
            std::copy_n(bytes.begin() + static_cast<long>(offset), data.size(), data.begin());
            return true;
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
        ++badAddresses;
        return nullptr;
    }
    std::map<std::uint64_t, std::vector<std::uint8_t>*> blocks;
};

const std::vector<IconPoint> kPoints = {{20, 10}, {20, 90}, {1200, -5}};
const std::vector<Rect> kCaptions = {
    {2, 48, 73, 28}, {-1, 128, 79, 14}, {INT_MIN, 33, INT_MAX, 28}};
const std::vector<std::string> kTrace = {"Progman hWnd:65552", "SHELLDLL_defVIEW hWnd:131218",
                                         "SysListView32 hWnd:-1234567", "GetSysLVHwnd: -1234567",
                                         "LVM_GETTITEMCOUNT: 3"};

// Each row spoils the fake shell in one way. Without a list or items the
// earlier state stays and nothing is allocated; a failed request leaves its
// entries zero (a refused position: the buffer still holds item 0's, which
// must not be taken); unwritten requests must not be sent.
TEST(IconDiscovery, ReadsPositionsAndCaptionsFromTheListsProcess) {
    const std::vector<IconPoint> kept{{7, 8}}, noPoints(3);
    const std::vector<Rect> keptRects{{1, 2, 3, 4}}, noRects(3);
    const struct {
        std::string spoil;  // a window class gone, or the request that fails
        bool found;
        std::size_t traceLines;
        std::vector<IconPoint> positions;
        std::vector<Rect> captions;
    } cases[] = {
        // clang-format off
        {"", true, 5, kPoints, kCaptions},
        {"Progman", false, 1, kept, keptRects},
        {"SHELLDLL_DefView", false, 2, kept, keptRects},
        {"SysListView32", false, 3, kept, keptRects},
        {"items", false, 5, kept, keptRects},
        {"item 1", true, 5, {kPoints[0], {}, kPoints[2]}, {kCaptions[0], {}, kCaptions[2]}},
        {"alloc 8", true, 5, noPoints, kCaptions},
        {"writes", true, 5, kPoints, noRects},
        {"reads", true, 5, noPoints, noRects},
        // clang-format on
    };
    for (const auto& c : cases) {
        FakeShell shell;
        std::erase_if(shell.windows, [&](const auto& w) { return w.first.second == c.spoil; });
        shell.points.resize(c.spoil == "items" ? 0 : 3);
        shell.refusedItem = c.spoil == "item 1" ? 1 : 99;
        shell.failSize = c.spoil == "alloc 8" ? 8 : 0;
        shell.refuseWrites = c.spoil == "writes";
        shell.failReads = c.spoil == "reads";
        test::FakeClock clock;
        test::FakeLocale locale;
        test::FakeTraceSink sink;
        Trace trace{sink, clock, locale};
        DesktopIcons icons{1, kept, keptRects};
        EXPECT_EQ(GetDesktopIconPositions(shell, trace, icons), c.found);
        EXPECT_EQ(icons.IconCount, static_cast<std::int16_t>(c.positions.size()));
        EXPECT_EQ(icons.IconPositions, c.positions);
        EXPECT_EQ(icons.IconLabelRects, c.captions);
        // A missing window traces 0 and ends the search; an empty list traces its count.
        std::vector<std::string> lines(kTrace.begin(), kTrace.begin() + c.traceLines);
        if (!c.found && c.traceLines < 5) {
            lines.back() = lines.back().substr(0, lines.back().find(':') + 1) + "0";
            lines.push_back("GetSysLVHwnd: 0");
        }
        if (!c.found && c.traceLines == 5) lines.back() = "LVM_GETTITEMCOUNT: 0";
        EXPECT_EQ(sink.lines, lines);
        // One reused point buffer, then one block of rectangles, both released.
        const std::vector<std::size_t> sizes = {8, 48};
        EXPECT_EQ(shell.sizes, c.found ? sizes : std::vector<std::size_t>());
        EXPECT_EQ(shell.liveBlocks + shell.badAddresses, 0);
    }
}

}  // namespace
}  // namespace brumo
