#include "imaging/IconPositioningWin32.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"
#include "common/WindowHandleWin32.h"

namespace brumo {

namespace {

constexpr DWORD kRemoteMemoryAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;

// Releases a block committed in another process.
struct RemoteBlockReleaser {
    HANDLE process = nullptr;
    void operator()(void* address) const { VirtualFreeEx(process, address, 0, MEM_RELEASE); }
};

using RemoteBlock = std::unique_ptr<void, RemoteBlockReleaser>;

class ProcessMemory final : public RemoteMemory {
  public:
    // `block` was committed in `process` and its releaser holds that handle.
    ProcessMemory(UniqueKernelHandle process, RemoteBlock block, std::size_t size)
        : process_(std::move(process)), block_(std::move(block)), size_(size) {}

    std::uint64_t Address(std::size_t offset) const override {
        return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(block_.get()) + offset);
    }
    bool Write(std::size_t offset, std::span<const std::uint8_t> bytes) override {
        if (!Fits(offset, bytes.size())) return false;
        SIZE_T written = 0;
        return WriteProcessMemory(process_.get(), At(offset), bytes.data(), bytes.size(),
                                  &written) != 0 &&
               written == bytes.size();
    }
    bool Read(std::size_t offset, std::span<std::uint8_t> bytes) override {
        if (!Fits(offset, bytes.size())) return false;
        SIZE_T read = 0;
        return ReadProcessMemory(process_.get(), At(offset), bytes.data(), bytes.size(), &read) !=
                   0 &&
               read == bytes.size();
    }

  private:
    bool Fits(std::size_t offset, std::size_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }
    // An address in the other process: computed as a number, never used here.
    void* At(std::size_t offset) const {
        return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(block_.get()) + offset);
    }

    // Declared in this order so that the block goes before the process handle.
    UniqueKernelHandle process_;
    RemoteBlock block_;
    std::size_t size_;
};

}  // namespace

WindowHandle Win32ShellList::FindTopLevelWindow(std::string_view className) {
    const std::wstring name = Utf8ToWide(std::string(className));
    return ToNumber(FindWindowW(name.c_str(), nullptr));
}

WindowHandle Win32ShellList::FindChildWindow(WindowHandle parent, std::string_view className) {
    const std::wstring name = Utf8ToWide(std::string(className));
    return ToNumber(FindWindowExW(ToWindow(parent), nullptr, name.c_str(), nullptr));
}

ProcessId Win32ShellList::WindowProcessId(WindowHandle window) {
    DWORD process = 0;
    GetWindowThreadProcessId(ToWindow(window), &process);
    return process;
}

std::int64_t Win32ShellList::SendListMessage(WindowHandle list, std::uint32_t message,
                                             std::uint64_t wParam, std::uint64_t lParam) {
    return SendMessageW(ToWindow(list), message, static_cast<WPARAM>(wParam),
                        static_cast<LPARAM>(lParam));
}

std::unique_ptr<RemoteMemory> Win32ShellList::AllocateInProcess(ProcessId process,
                                                                std::size_t size) {
    UniqueKernelHandle handle(OpenProcess(kRemoteMemoryAccess, FALSE, process));
    if (!handle) return nullptr;
    // Owned at once, so that nothing is left behind should the rest fail.
    RemoteBlock block(
        VirtualAllocEx(handle.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE),
        RemoteBlockReleaser{handle.get()});
    if (!block) return nullptr;
    return std::make_unique<ProcessMemory>(std::move(handle), std::move(block), size);
}

}  // namespace brumo
