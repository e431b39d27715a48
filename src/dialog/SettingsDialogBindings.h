// Which control model of the settings form sits behind which control of the
// dialog template, and on which tab page it lies. The Windows view walks this
// one table both ways: it copies every model onto its window after each
// action, and hands each notification of a window to its model.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "settings/SettingsForm.h"

namespace brumo {

// Where a control is shown: on one of the two tab pages, on every page (below
// the tabs), or never (kept only for its value).
enum class DialogPage { Snow, Additional, Always, Never };

using ControlModel = std::variant<forms::Label*, forms::Button*, forms::CheckBox*,
                                  forms::OptionButton*, forms::TextBox*, forms::ListBox*,
                                  forms::ScrollBar*, forms::PictureBox*, forms::Shape*>;

struct ControlBinding {
    int id;  // the control's identifier in the template
    ControlModel model;
    DialogPage page;
};

struct MenuBinding {
    int id;
    forms::MenuItem* model;
};

// A timer model and the identifier of the dialog's window timer behind it.
struct TimerBinding {
    unsigned id;
    forms::TimerControl* model;
};

// Every control of the template that the form has a model for, in template order.
std::vector<ControlBinding> BindControls(SettingsForm& form);
std::vector<MenuBinding> BindMenu(SettingsForm& form);
std::vector<TimerBinding> BindTimers(SettingsForm& form);

// The state every model shares.
const forms::Control& ControlOf(const ControlModel& model);

// The binding of a model, or of an identifier; null when there is none.
const ControlBinding* FindBinding(const std::vector<ControlBinding>& bindings,
                                  const forms::Control* model);
const ControlBinding* FindBinding(const std::vector<ControlBinding>& bindings, int id);

// A control on `page` is shown while that page is selected (and its model is visible).
bool ShownOnPage(DialogPage page, std::int32_t selectedPage);

}  // namespace brumo
