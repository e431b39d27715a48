// The about box's host on Windows: the machine's registry read with
// read-only access, the file test and program start of the system
// information tool, message boxes and the shell's "open" verb, all owned by
// the about box's window.
#pragma once

#include <windows.h>

#include "about/AboutForm.h"

namespace brumo {

class Win32AboutHost : public AboutHost {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }

    std::string ReadMachineText(const std::string& keyPath, const std::string& valueName) override;
    bool FileExists(const std::string& path) override;
    bool StartProgram(const std::string& path) override;
    void OpenLink(const std::string& address, AddressKinds kinds) override;
    void ShowMessage(const std::string& text, MessageStyle style) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace brumo
