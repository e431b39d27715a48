#include "animation/SnowGrid.h"

#include <algorithm>
#include <cstdint>

#include "common/Rounding.h"

namespace brumo {

namespace {
constexpr std::uint8_t kFree = 0;
constexpr std::uint8_t kOccupied = 1;
// The last rows of the grid: a flake whose cell reaches them rests at once.
constexpr std::int32_t kLastRowsDepth = 1;
}  // namespace

void SnowGrid::Allocate(double width, double height) {
    ub1_ = NearestInt32(width + kMargin);
    ub2_ = NearestInt32(height);
    // Computed wide so that absurd sizes cannot overflow; a size with no cells
    // leaves the grid empty (every read free, every write dropped).
    const std::int64_t columns = static_cast<std::int64_t>(ub1_) + kMargin + 1;
    const std::int64_t rows = static_cast<std::int64_t>(ub2_) + kMargin + 1;
    cells_.clear();
    if (columns <= 0 || rows <= 0) {
        columns_ = 0;
        return;
    }
    columns_ = static_cast<std::int32_t>(columns);
    cells_.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), kFree);
    tops_.assign(static_cast<std::size_t>(columns), ub2_ + 1);  // below the grid: no snow
}

std::uint8_t SnowGrid::At(std::int32_t x, std::int32_t y) const {
    return InGrid(x, y) ? cells_[Index(x, y)] : kFree;
}

void SnowGrid::MarkRow(std::int32_t y, std::int32_t x1, std::int32_t x2) {
    if (!IsAllocated() || y < -kMargin || y > ub2_) return;
    const std::int32_t first = std::max(x1, -kMargin);
    const std::int32_t last = std::min(x2, ub1_);
    if (first > last) return;
    const auto begin = cells_.begin() + static_cast<std::ptrdiff_t>(Index(first, y));
    std::fill(begin, begin + (last - first + 1), kOccupied);
    for (std::int32_t x = first; x <= last; ++x) tops_[Column(x)] = std::min(tops_[Column(x)], y);
}

void SnowGrid::MarkGround(std::int32_t first) {
    for (std::int32_t y = std::max(first, -kMargin); y <= ub2_; ++y) MarkRow(y, 0, ub1_);
}

void SnowGrid::ClearGrid() {
    if (!IsAllocated() || ub1_ < 0) return;
    for (std::int32_t y = 0; y <= ub2_; ++y) {
        const auto begin = cells_.begin() + static_cast<std::ptrdiff_t>(Index(0, y));
        std::fill(begin, begin + (ub1_ + 1), kFree);
    }
    // Only the top margin can still hold snow in these columns.
    for (std::int32_t x = 0; x <= ub1_; ++x) {
        std::int32_t top = -kMargin;
        while (top < 0 && cells_[Index(x, top)] == kFree) ++top;
        tops_[Column(x)] = top < 0 ? top : ub2_ + 1;
    }
}

std::int32_t SnowGrid::LowestTop(std::int32_t x1, std::int32_t x2) const {
    return *std::max_element(tops_.begin() + static_cast<std::ptrdiff_t>(Column(x1)),
                             tops_.begin() + static_cast<std::ptrdiff_t>(Column(x2)) + 1);
}

std::int32_t SnowGrid::FindSupport(std::int32_t x, std::int32_t y, std::int32_t cellWidth,
                                   std::int32_t cellHeight) const {
    // A cell that touches the last two rows rests where it is.
    if (y + cellHeight - 1 >= ub2_ - kLastRowsDepth) return 0;

    const std::int32_t y2 = std::min(y + cellHeight, ub2_);
    const std::int32_t x2 = std::min(x + cellWidth, ub1_);
    const std::int32_t x1 = std::max(x - 1, 0);
    if (x1 > x2 || !IsAllocated()) return kNoSupport;

    const std::size_t span = static_cast<std::size_t>(std::int64_t{x2} - x1 + 1);
    // Rows above the top margin, and rows above the snow of any column in the
    // span, cannot carry the flake.
    for (std::int32_t r = std::max({y, -kMargin, LowestTop(x1, x2)}); r <= y2; ++r) {
        const std::uint8_t* row = cells_.data() + Index(x1, r);
        const std::uint8_t* end = row + span;
        if (std::find(row, end, kFree) == end) return (r - y) - cellHeight;
    }
    return kNoSupport;
}

void SnowGrid::SettleFlake(std::int32_t x, std::int32_t y, std::int32_t cellWidth,
                           std::int32_t cellHeight) {
    const std::int32_t bottom = y + cellHeight - 1;
    if (bottom > ub2_) return;
    const std::int32_t x2 = (x + cellWidth > ub1_) ? ub1_ : x + cellWidth - 1;
    for (std::int32_t r = std::max(y, -kMargin); r <= bottom; ++r) MarkRow(r, x, x2);
}

}  // namespace brumo
