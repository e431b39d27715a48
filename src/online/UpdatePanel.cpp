// The news panel's rules: what is shown at load and after the panel timer,
// the once-a-day decision, the slot layout in twips, and which clicks open
// anything. See UpdatePanel.h for who calls in.
#include "online/UpdatePanel.h"

#include "common/Rounding.h"
#include "common/WebAddress.h"
#include "online/PanelEntries.h"

namespace brumo {

namespace {

constexpr std::int32_t kTwipsPerInch = 1440;
constexpr std::int32_t kSearchingForUpdates = 149;  // "Please wait..." and what for
constexpr std::string_view kOpenLink = "URL";       // the only action a slot has

}  // namespace

UpdatePanel::UpdatePanel(const UpdatePanelContext& context) : context_(context) {
    AdButton& first = BtnAd.emplace_back();
    first.Place = context_.firstButton;
    first.Visible = false;  // until a slot is shown
    PictureUpdate.Visible = false;
    ShowOfflineNotice(false);
    AdTimer.Interval = kAdTimerInterval;
    AdTimer.Timer = [this] { AdTimer_Timer(); };
    ShowPanelFromCache();
    AdTimer.Enabled = true;
}

UpdatePanel::~UpdatePanel() {
    AdTimer.Timer = nullptr;
}

// Fires once per dialog. The wait box stays up for the whole online part.
void UpdatePanel::AdTimer_Timer() {
    AdTimer.Enabled = false;
    const std::string today = Today();
    if (IsPanelCheckDue(context_.services.registry, today)) {
        LabelUpdate.Caption = context_.language.GetText(kSearchingForUpdates);
        PictureUpdate.Visible = true;
        context_.host.MakeSnapshot();
        if (context_.host.IsInternetConnected()) {
            RefreshPanelOnline(today);
        } else {
            ShowOfflineNotice(true);
            ShowPanelFromCache();
        }
    } else {
        ShowPanelFromCache();
    }
    PictureUpdate.Visible = false;
}

// A failed handshake leaves the panel as the cache showed it and writes
// nothing, so the next dialog of the day tries again.
void UpdatePanel::RefreshPanelOnline(const std::string& today) {
    const auto slots = RefreshPanelSlots(context_.services, context_.scriptUrl,
                                         context_.language.GetLanguage(), today);
    if (!slots) {
        ShowOfflineNotice(true);
        return;
    }
    ShowOfflineNotice(false);
    if (!slots->empty()) ShowSlots(*slots);
}

void UpdatePanel::ShowPanelFromCache() {
    const std::vector<PanelSlot> slots =
        PanelSlotsFromCache(context_.services.registry, context_.services.files);
    if (!slots.empty()) ShowSlots(slots);
}

void UpdatePanel::ClearAdButtons() {
    BtnAd.resize(1);
}

void UpdatePanel::AddAdButton(std::int32_t leftTwips, std::int32_t topTwips) {
    const Rect first = BtnAd.front().Place;
    AdButton& added = BtnAd.emplace_back();
    added.Place = {TwipsToPixels(leftTwips), TwipsToPixels(topTwips), first.width, first.height};
}

// Only a web page is ever opened, whatever the server put into the entry.
void UpdatePanel::BtnAd_Click(std::size_t index) {
    if (index >= BtnAd.size()) return;
    const auto entries = GetEntries(BtnAd[index].Tag);
    if (!entries || entries->Value("Standard") != kOpenLink) return;
    const std::string address = entries->Value("URL");
    if (IsOpenableAddress(address, AddressKinds::Web)) context_.host.OpenAddress(address);
}

void UpdatePanel::LabelConnectionHelp_Click() {
    WritePanelValue(context_.services.registry, "LastUpdate", Today());
    context_.form.LabelConnectionHelp.Visible = false;
}

std::string UpdatePanel::Today() {
    return context_.locale.ShortDate(context_.clock.Now());
}

void UpdatePanel::ShowOfflineNotice(bool shown) {
    context_.form.LabelConnection.Visible = shown;
    context_.form.LabelConnectionHelp.Visible = shown;
}

// Slot 1 is element 0 where the dialog placed it; each further slot gets a
// new element one slot spacing lower.
void UpdatePanel::ShowSlots(const std::vector<PanelSlot>& slots) {
    ClearAdButtons();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (i > 0) AddAdButton(0, static_cast<std::int32_t>(i) * kAdSlotSpacingTwips);
        AdButton& button = BtnAd.back();
        button.Visible = true;
        button.Tag = slots[i].entry;
        LoadPicture(button, slots[i].picturePath);
    }
}

// A picture that cannot be loaded leaves the button's old one.
void UpdatePanel::LoadPicture(AdButton& button, const std::string& path) {
    if (path.empty()) return;
    auto picture = std::make_unique<MemorySurface>();
    if (!picture->Resize(button.Place.width, button.Place.height)) return;
    if (context_.host.LoadPicture(path, *picture)) button.Picture = std::move(picture);
}

std::int32_t UpdatePanel::TwipsToPixels(std::int32_t twips) const {
    return NearestInt32(static_cast<double>(twips) * context_.pixelsPerInch / kTwipsPerInch);
}

}  // namespace brumo
