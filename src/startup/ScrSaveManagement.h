// Start-up: `Main` reads the command line and does exactly one thing - run
// the full-screen saver (also in manual mode), open the settings, call the
// system's password-change dialog, or run the small preview inside the
// display control panel's window. A full-screen saver runs once: a window
// captioned "DivurUdididIriva" marks a running one.
//
// Control flow: WinMain -> `Main` -> GDI+ probe -> mode table ->
// `RunScreenSaver` / `StartPreview` -> `MainForm::StartScreenSaver`, or the
// settings dialog; WinMain then runs the message loop until the saver window
// is unloaded or the dialog is closed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "animation/MainForm.h"
#include "common/MessageStyle.h"
#include "common/Rect.h"
#include "common/Trace.h"
#include "startup/CommandLine.h"

namespace brumo {

inline constexpr const char* kMainFormName = "MainForm";
inline constexpr const char* kGdiplusLibrary = "gdiplus.dll";
inline constexpr const char* kGdiplusMissing = "GDI+ DLL fehlt. Programm wird beendet.";
constexpr std::int32_t kPlatformNt = 2;

// What start-up needs from the system and from the saver window.
class StartupHost {
  public:
    virtual ~StartupHost() = default;
    virtual bool IsLibraryAvailable(const std::string& library) = 0;
    virtual void ShowMessage(const std::string& text, MessageStyle style) = 0;
    // A top-level window with exactly the saver's caption exists.
    virtual bool FindSaverWindow() = 0;
    virtual void UnloadMainForm() = 0;
    virtual void MakeMainFormTopmost() = 0;
    virtual std::int32_t PlatformId() = 0;
    virtual void SetScreenSaverActive() = 0;
    virtual void ChangePassword() = 0;
    // Reads where the desktop's icons lie, while the desktop is still visible.
    virtual void ReadDesktopIconPositions() = 0;
    // The preview's embedding, each answering the raw result of its call.
    virtual Rect GetClientRect(std::int32_t window) = 0;
    virtual std::int32_t GetMainFormStyle() = 0;
    virtual std::int32_t SetMainFormStyle(std::int32_t style) = 0;
    // The previous parent, or 0 when the window could not be made a child of it.
    virtual std::int32_t SetMainFormParent(std::int32_t parent) = 0;
    virtual std::int32_t SetMainFormOwner(std::int32_t owner) = 0;
    virtual std::int32_t PlaceMainForm(std::int32_t width, std::int32_t height) = 0;
    // Opens the settings dialog modeless, owned by `owner` unless that is 0.
    virtual void ShowSettingsDialog(std::int32_t owner) = 0;
};

// A failure inside the preview's start, shown by its error handler.
struct RuntimeError {
    std::int32_t number = 0;
    std::string description;
};

constexpr std::int32_t kWindowChildStyle = 0x40000000;  // WS_CHILD

class ScrSaveManagement {
  public:
    ScrSaveManagement(StartupHost& host, MainForm& form, Trace& trace)
        : host_(host), form_(form), trace_(trace) {}

    // Dispatches on the raw command line (without the program path).
    void Main(std::string_view rawCommandLine);
    void RunScreenSaver(bool a_Manual);
    bool IsScreenSaverRunning();
    void StartPreview(std::int32_t hThumb);

    const std::string& ModeKeyText() const { return modeKey_; }

  private:
    std::optional<RuntimeError> EmbedPreview(std::int32_t hThumb);
    std::optional<RuntimeError> TraceOrFail(const std::string& text);

    StartupHost& host_;
    MainForm& form_;
    Trace& trace_;
    std::string modeKey_;
    Rect previewRect_;
};

}  // namespace brumo
