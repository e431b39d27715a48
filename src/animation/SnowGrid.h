// The byte grid of settled snow, as large as the screen plus margins: one
// cell per pixel, 0 free, 1 occupied (ground, icon ledge or settled snow).
// Columns run from -30 to UB1 = nearest(width + 30), rows from -30 to
// UB2 = nearest(height). The margins hold the parts of flakes that stick out
// of the screen. Writes outside the grid are dropped (clipped), never made.
//
// Beside the cells, each column keeps the highest row at which it may hold
// snow (no occupied cell lies above it), so that the support search starts
// at the first row that can be occupied across a flake's whole span and
// reads no row of open air.
#pragma once

#include <cstdint>
#include <vector>

namespace brumo {

class SnowGrid {
  public:
    static constexpr std::int32_t kMargin = 30;
    // FindSupport's answer when no row under the flake carries it.
    static constexpr std::int32_t kNoSupport = -255;

    // `AllocateGrid`: new bounds from the surface size, every cell 0.
    void Allocate(double width, double height);
    bool IsAllocated() const { return !cells_.empty(); }

    std::int32_t UB1() const { return ub1_; }
    std::int32_t UB2() const { return ub2_; }

    bool InGrid(std::int32_t x, std::int32_t y) const {
        return x >= -kMargin && x <= ub1_ && y >= -kMargin && y <= ub2_ && IsAllocated();
    }
    // Cells outside the grid read as free.
    std::uint8_t At(std::int32_t x, std::int32_t y) const;

    // Marks every cell of one row from column x1 to x2 (inclusive) occupied.
    void MarkRow(std::int32_t y, std::int32_t x1, std::int32_t x2);

    // `MarkGround`: rows `first` to UB2, columns 0 to UB1, occupied.
    void MarkGround(std::int32_t first);
    // `ClearGrid`: rows and columns from 0 up freed; the negative margins keep
    // their values.
    void ClearGrid();
    // `FindSupport`: the vertical offset at which a flake with the given cell
    // at (x, y) rests, or kNoSupport.
    std::int32_t FindSupport(std::int32_t x, std::int32_t y, std::int32_t cellWidth,
                             std::int32_t cellHeight) const;
    // `SettleFlake`: marks the flake's cell block at (x, y) as occupied.
    void SettleFlake(std::int32_t x, std::int32_t y, std::int32_t cellWidth,
                     std::int32_t cellHeight);

  private:
    std::size_t Index(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y + kMargin) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(x + kMargin);
    }

    std::size_t Column(std::int32_t x) const {
        const std::int32_t column = x + kMargin;  // 0 for the margin's first column
        return static_cast<std::size_t>(column);
    }
    // The highest row any column of x1..x2 (inside the grid) may hold snow at.
    std::int32_t LowestTop(std::int32_t x1, std::int32_t x2) const;

    std::vector<std::uint8_t> cells_;  // row-major: one row after another
    std::vector<std::int32_t> tops_;   // per column: no snow above this row
    std::int32_t ub1_ = -1;
    std::int32_t ub2_ = -1;
    std::int32_t columns_ = 0;
};

}  // namespace brumo
