// Checks of screenshots for the end-to-end runs. A screenshot arrives as raw
// 8-bit RGB (ImageMagick: `convert shot.png rgb:shot.rgb`) with its size.
#pragma once

#include <string>

namespace brumo::e2e {

// "find-flake": counts the places where the flake picture (a "#101".."#107"
// name) appears in exactly the colour RRGGBB, every flake pixel equal.
int FindFlake(const std::wstring& rgbFile, int width, int height, const std::wstring& picture,
              const std::wstring& colour);

// "notice-match": compares the bottom strip of the screenshot with the manual
// notice drawn by GDI the way the saver draws it (Arial 14, black shadow at
// x 11, white text at x 10) over the background colour RRGGBB, for each
// countdown 5..1; prints the best countdown and its differing pixels.
int NoticeMatch(const std::wstring& rgbFile, int width, int height, const std::wstring& text,
                const std::wstring& background);

}  // namespace brumo::e2e
