// The windows around the settings form: records what the form asked for, in
// order, and answers as the test set it up.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsForm.h"

namespace brumo::test {

struct FakeSettingsHost : SettingsFormHost {
    std::vector<std::string> calls;  // "color <start>", "file <start text>", "draw <path>", ...
    std::int64_t color = -1;
    std::optional<std::string> chosenFile;
    bool drawSucceeds = true;

    std::int64_t ShowColorDialog(ColorRef start) override {
        return calls.push_back("color " + std::to_string(start)), color;
    }
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override {
        return calls.push_back("file " + request.startText), chosenFile;
    }
    bool DrawImageScaled(const std::string& path, Surface& target) override {
        calls.push_back("draw " + path);
        if (drawSucceeds) target.SetBackColor(0x563412), target.Clear();  // pixel 0x123456
        return drawSucceeds;
    }
    void ShowAbout() override { calls.push_back("about"); }
    void StopSound() override { calls.push_back("stop sound"); }
    void AddTooltips(const std::vector<ToolTipEntry>&) override {}
    void RemoveTooltips() override {}
    void Unload() override { calls.push_back("unload"); }
};

}  // namespace brumo::test
