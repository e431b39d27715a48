#include "imaging/GdiplusWin32.h"

namespace brumo {

namespace {

template <typename Function>
bool Find(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}

bool FindAll(HMODULE library, GdiplusFunctions& f) {
    return Find(library, "GdiplusStartup", f.Startup) &&
           Find(library, "GdiplusShutdown", f.Shutdown) &&
           Find(library, "GdipCreateBitmapFromFile", f.CreateBitmapFromFile) &&
           Find(library, "GdipGetImageWidth", f.GetImageWidth) &&
           Find(library, "GdipGetImageHeight", f.GetImageHeight) &&
           Find(library, "GdipDisposeImage", f.DisposeImage) &&
           Find(library, "GdipCreateFromHDC", f.CreateFromHDC) &&
           Find(library, "GdipDeleteGraphics", f.DeleteGraphics) &&
           Find(library, "GdipSetInterpolationMode", f.SetInterpolationMode) &&
           Find(library, "GdipDrawImageRectRectI", f.DrawImageRectRectI);
}

}  // namespace

GdiplusSession::GdiplusSession() : library_(LoadLibraryW(L"gdiplus.dll")) {
    if (!library_ || !FindAll(library_.get(), functions_)) return;
    const Gdiplus::GdiplusStartupInput input;  // version 1, no callback, nothing suppressed
    if (functions_.Startup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
    // Shut down before the library goes (members are destroyed after this body).
    if (token_ != 0) functions_.Shutdown(token_);
}

}  // namespace brumo
