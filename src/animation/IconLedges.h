// Snow on the desktop icons: one ledge of settled-snow cells along the top of
// every icon picture and one along the top of every caption, marked into the
// snow grid at the start of a run and at each restart. The icon places come
// from the discovery in imaging/IconPositioning; the icon size from the
// user's "Shell Icon Size" setting.
#pragma once

#include <cstdint>
#include <string_view>

#include "animation/SnowGrid.h"
#include "imaging/IconPositioning.h"
#include "settings/RegistryFunctions.h"

namespace brumo {

// The icon size when "Shell Icon Size" is absent or empty.
inline constexpr std::int32_t kDefaultShellIconSize = 32;
inline constexpr std::string_view kWindowMetricsKeyPath =
    "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics";
inline constexpr const char* kShellIconSizeValue = "Shell Icon Size";

// The icon size in pixels: the leading number of "Shell Icon Size", rounded;
// 32 when the value is absent, empty or unreadable.
std::int32_t GetShellIconSize(RegistryBackend& registry);

// Marks, for every icon, the cells (x0 .. x0 + iconSize, y0 + 2) along the top
// of its picture and (left .. left + width, top + 3) along the top of its caption as
// occupied. Cells outside the grid are left out; nothing is cleared.
void MarkIconLedges(SnowGrid& grid, const DesktopIcons& icons, std::int32_t iconSize);

}  // namespace brumo
