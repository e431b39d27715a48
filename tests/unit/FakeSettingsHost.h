// The windows around the settings form, recorded: what the form asked for,
// in order, and the answers the test set up.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsForm.h"

namespace brumo::test {

class FakeSettingsHost : public SettingsFormHost {
  public:
    std::vector<std::string> calls;  // "color <start>", "file <start text>", "draw <path>", ...
    std::int64_t color = -1;
    std::optional<std::string> chosenFile;
    bool drawSucceeds = true;
    Pixel drawnPixel = 0x123456;
    std::vector<ToolTipEntry> tips;

    std::int64_t ShowColorDialog(ColorRef start) override {
        calls.push_back("color " + std::to_string(start));
        return color;
    }
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override {
        calls.push_back("file " + request.startText);
        return chosenFile;
    }
    bool DrawImageScaled(const std::string& path, Surface& target) override {
        calls.push_back("draw " + path);
        if (!drawSucceeds) return false;
        for (std::int32_t y = 0; y < target.Height(); ++y)
            for (std::int32_t x = 0; x < target.Width(); ++x) target.Row(y)[x] = drawnPixel;
        return true;
    }
    void ShowAbout() override { calls.push_back("about"); }
    void StopSound() override { calls.push_back("stop sound"); }
    void AddTooltips(const std::vector<ToolTipEntry>& entries) override {
        calls.push_back("add tips");
        tips = entries;
    }
    void RemoveTooltips() override {
        calls.push_back("remove tips");
        tips.clear();
    }
    void Unload() override { calls.push_back("unload"); }
};

}  // namespace brumo::test
