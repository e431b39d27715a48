// The news panel of the settings dialog: a column of picture buttons (`BtnAd`)
// inside `PictureAd`, the wait box shown while the panel goes online, and the
// offline notice with its "Don't check again (today)" link. The panel owns
// the models the form lacks (BtnAd, PictureUpdate, LabelUpdate, AdTimer) and
// drives the form's LabelConnection and LabelConnectionHelp.
//
// Control flow: the dialog view builds the panel after the form; the
// constructor shows the stored slots (`ShowPanelFromCache`) and enables
// `AdTimer`. The view fires `AdTimer.Timer` once after 2 s: the panel goes
// online at most once a day (`LastUpdate` against today's short date), with
// the wait box up (`MakeSnapshot`) while `RefreshPanelOnline` blocks the
// dialog, or shows the cache again. The view forwards slot clicks, the help
// link's click and the mouse moves that switch its underline, and mirrors
// the models onto its windows. Everything outside goes through
// `UpdatePanelHost` and the protocol's ports. The panel must go before the
// form; it detaches its timer handler when it does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "common/LocalePort.h"
#include "common/Rect.h"
#include "forms/SimpleControls.h"
#include "online/PanelProtocol.h"
#include "resources/Language.h"
#include "settings/SettingsForm.h"

namespace brumo {

inline constexpr std::int32_t kAdTimerInterval = 2000;     // milliseconds
inline constexpr std::int32_t kAdSlotSpacingTwips = 1100;  // slot i >= 2 lies at (i - 1) x this

// What the panel asks of the dialog around it.
class UpdatePanelHost {
  public:
    virtual ~UpdatePanelHost() = default;
    // Brings the wait box (`PictureUpdate` with `LabelUpdate` on it) up over
    // the dialog, as a see-through picture over a copy of what lies behind it.
    virtual void MakeSnapshot() = 0;
    virtual bool IsInternetConnected() = 0;
    // Opens a web address (already checked) in the user's browser.
    virtual void OpenAddress(const std::string& address) = 0;
    // Fills `picture` (the button's size) with the button face and draws the
    // picture file centred on it; false when the file is no loadable picture.
    virtual bool LoadPicture(const std::string& path, Surface& picture) = 0;
};

// One element of the `BtnAd` control array.
struct AdButton : forms::Control {
    std::string Tag;                         // the slot's entry text
    Rect Place;                              // in pixels, inside PictureAd
    std::unique_ptr<MemorySurface> Picture;  // null until a picture loaded
};

struct UpdatePanelContext {
    SettingsForm& form;
    UpdatePanelHost& host;
    PanelServices services;  // the script, the picture downloads, the cache, the registry
    const Language& language;
    LocalePort& locale;  // today's short date
    Clock& clock;
    std::string scriptUrl;
    Rect firstButton;  // element 0 as the dialog places it inside PictureAd
    std::int32_t pixelsPerInch = 96;
};

class UpdatePanel {
  public:
    // Hides the notice, shows the stored slots and enables `AdTimer`.
    explicit UpdatePanel(const UpdatePanelContext& context);
    UpdatePanel(const UpdatePanel&) = delete;
    UpdatePanel& operator=(const UpdatePanel&) = delete;
    ~UpdatePanel();

    std::vector<AdButton> BtnAd;  // element 0 always exists
    forms::Control PictureUpdate;
    forms::Label LabelUpdate;
    forms::TimerControl AdTimer;
    bool LabelConnectionHelpUnderline = false;

    void AdTimer_Timer();
    void RefreshPanelOnline(const std::string& today);
    void ShowPanelFromCache();
    void ClearAdButtons();
    void AddAdButton(std::int32_t leftTwips, std::int32_t topTwips);
    void BtnAd_Click(std::size_t index);
    void LabelConnectionHelp_Click();
    void LabelConnectionHelp_MouseMove() { LabelConnectionHelpUnderline = true; }
    void LabelConnection_MouseMove() { LabelConnectionHelpUnderline = false; }
    void PictureAd_MouseMove() { LabelConnectionHelpUnderline = false; }
    void Form_MouseMove() { LabelConnectionHelpUnderline = false; }

  private:
    std::string Today();
    void ShowOfflineNotice(bool shown);
    void ShowSlots(const std::vector<PanelSlot>& slots);
    void LoadPicture(AdButton& button, const std::string& path);
    std::int32_t TwipsToPixels(std::int32_t twips) const;

    UpdatePanelContext context_;
};

}  // namespace brumo
