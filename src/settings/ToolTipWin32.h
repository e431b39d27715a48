// `clsToolTip`: one system tooltip window ("tooltips_class32") that belongs to
// a dialog and explains its windowed controls. Each control is a tool whose
// identifier is the control's window handle; the tooltip watches the
// control's messages itself (subclassing), so the dialog does nothing for a
// tip to appear. Texts may hold CR LF line breaks: with a maximum tip width
// set, the tooltip breaks lines there.
//
// Control flow: the settings dialog creates one with `Create`, registers its
// tips (`AddTool`, `SetToolText`) whenever the language changes, removes them
// (`RemoveTool`) before rebuilding and when it closes; destroying the object
// destroys the tooltip window. Every member that talks to the tooltip window
// does nothing (answers 0, false or empty) while there is none.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/HandlesWin32.h"

namespace brumo {

class clsToolTip {
  public:
    // Creates the tooltip window owned by `form` unless one exists; true when one exists.
    bool Create(HWND form);
    // Registers a control with a window as a tool (once); an empty text
    // registers it without a text. False for a control without a window,
    // without a tooltip window, or one that is a tool already.
    bool AddTool(HWND control, const std::string& text = {});
    // False when the control is no tool.
    bool RemoveTool(HWND control);
    bool HasToolTip(HWND control) const;
    // The tool's text as registered; empty when the control is no tool.
    std::string ToolText(HWND control) const;
    // An empty text removes the tool; a control that is no tool is left alone.
    void SetToolText(HWND control, const std::string& text);
    std::int32_t ToolCount() const;
    // Delay kinds: 0 automatic, 1 reshow, 2 auto-pop, 3 initial.
    std::int32_t DelayTime(std::int32_t kind) const;
    void SetDelayTime(std::int32_t kind, std::int32_t milliseconds);
    // Pixels; below 1 means no limit, which reads back as -1.
    std::int32_t MaxTipWidth() const;
    void SetMaxTipWidth(std::int32_t pixels);
    HWND hwnd() const { return window_.get(); }

  private:
    UniqueWindowHandle window_;
    // Characters of the longest text registered so far, with its terminator:
    // the buffer a text is read back through.
    std::size_t textBufferLength_ = 1;
};

}  // namespace brumo
