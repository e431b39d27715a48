// Where the desktop's icons lie, so that snow can settle on them as well as on
// the ground. Owns the icon state of one run (`DesktopIcons`).
//
// Control flow: `RunScreenSaver` calls `GetDesktopIconPositions` once, while
// the desktop is still visible. It finds the shell's icon list through
// `GetSysLVHwnd` (Progman > SHELLDLL_DefView > SysListView32, each step
// traced), asks the list for its item count, and then - because the list
// belongs to the shell's process - has every item's position and caption
// rectangle written into memory committed in that process, which it reads
// back: first one 8-byte point buffer reused for each item, then one block of
// 16-byte rectangles whose first field asks for the caption part. The snow
// engine turns the result into ledges (animation/IconLedges).
//
// Everything that decides (order, branches, message numbers, record layouts,
// trace lines) is here; `ShellListPort` only forwards to the system. Only the
// NT family of Windows is served: its cross-process memory calls are the ones
// used. The Windows 95/98/Me way through a shared file mapping is left out on
// purpose - the program needs an NT-family Windows anyway.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "common/Rect.h"
#include "common/Trace.h"

namespace brumo {

// A window handle as the traces write it: the signed 32-bit value (window
// handles carry 32 significant bits on 64-bit Windows too). 0 is "none".
using WindowHandle = std::int32_t;
using ProcessId = std::uint32_t;

// An item's position: the top-left of the item in the list's client
// coordinates, which on the desktop are screen pixels.
struct IconPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const IconPoint&) const = default;
};

// The icon state of one run: what the list reported at the start. Icons
// moved during the run are not followed.
struct DesktopIcons {
    std::int16_t IconCount = 0;
    std::vector<IconPoint> IconPositions;  // IconCount entries
    // Each item's caption rectangle, in the same coordinates. The list answers
    // left, top, right, bottom; width and height are right - left and
    // bottom - top (cut to 32 bits).
    std::vector<Rect> IconLabelRects;  // IconCount entries
};

// The list control's messages and records, as its owner process reads them.
inline constexpr std::uint32_t kLvmGetItemCount = 0x1004;
inline constexpr std::uint32_t kLvmGetItemRect = 0x100E;
inline constexpr std::uint32_t kLvmGetItemPosition = 0x1010;
// On the way in, the rectangle's first field says which part is wanted.
inline constexpr std::int32_t kLvirLabel = 2;
// Little-endian records, the same for 32- and 64-bit processes.
inline constexpr std::size_t kPointRecordBytes = 8;
inline constexpr std::size_t kRectRecordBytes = 16;

// Memory committed in another process. Destroying it releases the memory
// and closes the access to the process.
class RemoteMemory {
  public:
    virtual ~RemoteMemory() = default;
    // The address of byte `offset` of the block, as the owner process sees it
    // (what a message to its windows carries).
    virtual std::uint64_t Address(std::size_t offset) const = 0;
    // Copies bytes into / out of the block at `offset`; false when the system
    // refuses or the range lies outside the block.
    virtual bool Write(std::size_t offset, std::span<const std::uint8_t> bytes) = 0;
    virtual bool Read(std::size_t offset, std::span<std::uint8_t> bytes) = 0;
};

// What the icon discovery needs from the system: window lookup, the list's
// owner, synchronous messages to the list, and memory in another process.
class ShellListPort {
  public:
    virtual ~ShellListPort() = default;
    // The first top-level window of the class (any title), or 0.
    virtual WindowHandle FindTopLevelWindow(std::string_view className) = 0;
    // The first child of `parent` of the class (any title), or 0.
    virtual WindowHandle FindChildWindow(WindowHandle parent, std::string_view className) = 0;
    // The id of the process that owns the window (0 when unknown).
    virtual ProcessId WindowProcessId(WindowHandle window) = 0;
    // Sends a message and answers the window's result.
    virtual std::int64_t SendListMessage(WindowHandle list, std::uint32_t message,
                                         std::uint64_t wParam, std::uint64_t lParam) = 0;
    // Commits `size` bytes of read-write memory in the process (opened for
    // operating on, reading and writing its memory); nothing on failure.
    virtual std::unique_ptr<RemoteMemory> AllocateInProcess(ProcessId process,
                                                            std::size_t size) = 0;
};

// The handle of the desktop's icon list, or 0. Traces each step it takes.
WindowHandle GetSysLVHwnd(ShellListPort& port, Trace& trace);

// Fills `icons` from the desktop's icon list. True when the list was found,
// had items and was read; otherwise `icons` stays as it was. Entries whose
// cross-process request fails stay zero.
bool GetDesktopIconPositions(ShellListPort& port, Trace& trace, DesktopIcons& icons);

}  // namespace brumo
