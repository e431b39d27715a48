// The news panel on screen: the slot buttons (element 0 from the template,
// the others made here as IDC_BtnAdFirst + i), owner-drawn from their models'
// pictures and cut off at the bottom of PictureAd; the wait box painted from
// its snapshot with LabelUpdate's caption on it; the help link's underline
// as a font swap. The view also answers the panel's host port (snapshot,
// connection test, browser, picture files) and owns the real network and
// cache services unless the dialog hands it others.
//
// Control flow: the settings dialog builds the view after the form; the view
// builds the portable `UpdatePanel`, which shows the cache at once. The
// dialog hands it commands (`TakeCommand`), owner-draw requests (`Draw`) and
// its own mouse moves; the statics under the mouse report theirs through a
// subclass. After every model change the dialog calls `Mirror`. The network
// runs on the dialog's thread; while it runs, only paint messages are let
// through, so no click can reach a panel that is half refreshed.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "common/ClockWin32.h"
#include "common/HandlesWin32.h"
#include "common/MessagePump.h"
#include "common/MessageSink.h"
#include "dialog/DialogPaintWin32.h"
#include "imaging/DibSurfaceWin32.h"
#include "imaging/GdiplusWin32.h"
#include "online/HttpPostWin32.h"
#include "online/PanelCacheWin32.h"
#include "online/UpdatePanel.h"

namespace brumo {

// Dispatches only the paint messages waiting on this thread's queue.
class PaintPump final : public MessagePump {
  public:
    void DoEvents() override;
    void IdleWait(int maxMilliseconds) override;
};

// Replacements for the panel's outside world; null: the real one.
struct UpdatePanelServices {
    HttpPort* http = nullptr;
    UrlFetcher* fetcher = nullptr;
    CacheFileSystem* files = nullptr;
};

struct UpdatePanelViewContext {
    HWND dialog;
    SettingsForm& form;
    RegistryBackend& registry;
    const Language& language;
    LocalePort& locale;
    const GdiplusSession* gdiplus;       // null: no slot pictures
    MessageSink& messages;               // the snapshot's failure messages
    const DialogBackground& background;  // behind the slot pictures
    UpdatePanelServices replacements;
};

class UpdatePanelViewWin32 final : public UpdatePanelHost {
  public:
    explicit UpdatePanelViewWin32(const UpdatePanelViewContext& context);
    ~UpdatePanelViewWin32() override;
    UpdatePanelViewWin32(const UpdatePanelViewWin32&) = delete;
    UpdatePanelViewWin32& operator=(const UpdatePanelViewWin32&) = delete;

    UpdatePanel& Panel() { return *panel_; }
    // A slot click or the help link's click; false for any other command.
    bool TakeCommand(int id, int code);
    // Paints a slot button or the wait box; false for any other control.
    bool Draw(const DRAWITEMSTRUCT& item);
    void FormMouseMove();
    // Copies the models onto the windows: buttons made, placed or destroyed,
    // wait box and notice shown or hidden, the link's font.
    void Mirror();

    // UpdatePanelHost
    void MakeSnapshot() override;
    bool IsInternetConnected() override;
    void OpenAddress(const std::string& address) override;
    bool LoadPicture(const std::string& path, Surface& picture) override;

  private:
    static LRESULT CALLBACK MouseProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR view);
    HWND Item(int id) const { return GetDlgItem(context_.dialog, id); }
    HWND ButtonWindow(std::size_t index) const;
    void MirrorButtons();
    void MirrorWaitBox();
    void MirrorUnderline();
    void DrawWaitBox(const DRAWITEMSTRUCT& item);

    UpdatePanelViewContext context_;
    PaintPump pump_;
    WinInetHttp http_;
    WinInetFetcher fetcher_{pump_};
    WinCacheFileSystem files_;
    SystemClock clock_;
    DibSurface waitBox_;
    MemorySurface overlay_;
    std::vector<UniqueWindowHandle> buttons_;  // elements 1, 2, ... of BtnAd
    HFONT linkFont_ = nullptr;                 // the help link's own font
    UniqueFont underlinedFont_;
    bool underlineShown_ = false;
    std::unique_ptr<UpdatePanel> panel_;  // last: it calls the members above while it is built
};

}  // namespace brumo
