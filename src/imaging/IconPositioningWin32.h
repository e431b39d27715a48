// The shell's icon list on Windows: window lookup by class, the list's
// owner process, synchronous messages to the list, and memory committed in
// the owner's process (opened with the rights to operate on, read and write
// its memory). Every process handle and remote block is owned by an object
// that releases it, whichever way a request ends.
#pragma once

#include "imaging/IconPositioning.h"

namespace brumo {

class Win32ShellList final : public ShellListPort {
  public:
    WindowHandle FindTopLevelWindow(std::string_view className) override;
    WindowHandle FindChildWindow(WindowHandle parent, std::string_view className) override;
    ProcessId WindowProcessId(WindowHandle window) override;
    std::int64_t SendListMessage(WindowHandle list, std::uint32_t message, std::uint64_t wParam,
                                 std::uint64_t lParam) override;
    std::unique_ptr<RemoteMemory> AllocateInProcess(ProcessId process, std::size_t size) override;
};

}  // namespace brumo
