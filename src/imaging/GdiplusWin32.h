// GDI+, loaded when a session starts rather than when the program loads:
// without gdiplus.dll the program still starts and can say what is missing.
//
// `GdiplusSession` loads the library, looks up the few flat-API functions the
// program uses, starts GDI+ and shuts it down again; pictures and drawings
// take their functions from the session's table. One session serves the
// saver window; the settings dialog opens its own.
#pragma once

// GDI+ needs the full <windows.h> before it.
// clang-format off
#include <windows.h>
#include <gdiplus.h>
// clang-format on

#include "common/HandlesWin32.h"

namespace brumo {

// The flat-API functions the program calls, taken from the loaded library.
struct GdiplusFunctions {
    decltype(&Gdiplus::GdiplusStartup) Startup = nullptr;
    decltype(&Gdiplus::GdiplusShutdown) Shutdown = nullptr;
    decltype(&Gdiplus::DllExports::GdipCreateBitmapFromFile) CreateBitmapFromFile = nullptr;
    decltype(&Gdiplus::DllExports::GdipGetImageWidth) GetImageWidth = nullptr;
    decltype(&Gdiplus::DllExports::GdipGetImageHeight) GetImageHeight = nullptr;
    decltype(&Gdiplus::DllExports::GdipDisposeImage) DisposeImage = nullptr;
    decltype(&Gdiplus::DllExports::GdipCreateFromHDC) CreateFromHDC = nullptr;
    decltype(&Gdiplus::DllExports::GdipDeleteGraphics) DeleteGraphics = nullptr;
    decltype(&Gdiplus::DllExports::GdipSetInterpolationMode) SetInterpolationMode = nullptr;
    decltype(&Gdiplus::DllExports::GdipDrawImageRectRectI) DrawImageRectRectI = nullptr;
};

class GdiplusSession {
  public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    // True when the library loaded, every function was found and GDI+ started.
    bool Running() const { return token_ != 0; }
    const GdiplusFunctions& Functions() const { return functions_; }

  private:
    UniqueLibrary library_;
    GdiplusFunctions functions_;
    ULONG_PTR token_ = 0;
};

}  // namespace brumo
