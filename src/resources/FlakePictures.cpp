#include "resources/FlakePictures.h"

#include <array>

namespace brumo {
namespace {

// clang-format off
constexpr std::string_view kBigAndRound[] = {  // 101
    "...####...",
    ".########.",
    ".########.",
    "##########",
    "##########",
    "##########",
    "##########",
    ".########.",
    ".########.",
    "...####...",
};

constexpr std::string_view kSmallAndRound[] = {  // 102
    "...##...",
    ".######.",
    ".######.",
    "########",
    "########",
    ".######.",
    ".######.",
    "...##...",
};

constexpr std::string_view kCrystal1[] = {  // 103
    "..........#..........",
    "..........#..........",
    ".......#..#..#.......",
    ".......##.#.##.......",
    "........#####........",
    "...#.....###.....#...",
    "##.##.....#.....##.##",
    "#####.....#.....#####",
    "..###.....#.....###..",
    ".######...#....#####.",
    "###...###.#..###..###",
    "........######.......",
    ".........####........",
    "........######.......",
    "###...###.#..###..###",
    ".######...#....#####.",
    "..###.....#.....###..",
    "#####.....#.....#####",
    "##.##.....#.....##.##",
    "...#.....###.....#...",
    "........#####........",
    ".......##.#.##.......",
    ".......#..#..#.......",
    "..........#..........",
    "..........#..........",
};

constexpr std::string_view kCrystal2[] = {  // 104
    ".......#.......",
    "....#..#..#....",
    "....##.#.##....",
    "..#..#####..#..",
    "####..###..####",
    ".###...#...###.",
    "#####..#..#####",
    "....#######....",
    "......###......",
    "....#######....",
    "#####..#..#####",
    ".###...#...###.",
    "####..###..####",
    "..#..#####..#..",
    "....##.#.##....",
    "....#..#..#....",
    ".......#.......",
};

constexpr std::string_view kFlake1[] = {  // 105
    "....##....",
    "##..##..##",
    "###.##.###",
    ".########.",
    "..######..",
    "..######..",
    ".########.",
    "###.##.###",
    "##..##..##",
    "....##....",
};

constexpr std::string_view kFlake2[] = {  // 106
    "....#....",
    "....#....",
    "#...#...#",
    ".##.#.##.",
    "...###...",
    "...###...",
    ".##.#.##.",
    "#...#...#",
    "....#....",
    "....#....",
};

constexpr std::string_view kFlake3[] = {  // 107
    "#..#..#",
    ".#.#.#.",
    "..###..",
    "#######",
    "..###..",
    ".#.#.#.",
    "#..#..#",
};
// clang-format on

constexpr std::array kPictures{
    FlakePicture{"#101", kBigAndRound}, FlakePicture{"#102", kSmallAndRound},
    FlakePicture{"#103", kCrystal1},    FlakePicture{"#104", kCrystal2},
    FlakePicture{"#105", kFlake1},      FlakePicture{"#106", kFlake2},
    FlakePicture{"#107", kFlake3},
};

// The drawing code trusts every picture to be a filled rectangle of the two
// pixel characters; a typo in the art fails the build instead.
constexpr bool IsRectangularArt(const FlakePicture& picture) {
    if (picture.rows.empty() || picture.rows.front().empty()) return false;
    for (const std::string_view row : picture.rows) {
        if (row.size() != picture.rows.front().size()) return false;
        for (const char pixel : row)
            if (pixel != kFlakePixel && pixel != kBackgroundPixel) return false;
    }
    return true;
}

constexpr bool AllPicturesAreRectangularArt() {
    for (const FlakePicture& picture : kPictures)
        if (!IsRectangularArt(picture)) return false;
    return true;
}
static_assert(AllPicturesAreRectangularArt());

}  // namespace

const FlakePicture* FindFlakePicture(std::string_view name) {
    for (const FlakePicture& picture : kPictures)
        if (picture.name == name) return &picture;
    return nullptr;
}

}  // namespace brumo
