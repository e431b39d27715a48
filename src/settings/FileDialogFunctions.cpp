// The portable half of the file chooser: path pieces for the start folder and
// file, the completion of a missing extension, and the picture chooser's
// arguments. The Windows adapter calls these around GetOpenFileName.
#include "settings/FileDialogFunctions.h"

#include <algorithm>
#include <cctype>

#include "resources/TextNumbers.h"

namespace brumo {

namespace {

constexpr std::int32_t kFirstFilter = 1;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::string FilterPair(const std::string& description, std::string_view patterns) {
    std::string pair = description;
    pair += '\0';
    pair += patterns;
    pair += '\0';
    return pair;
}

std::string GetFileName(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('\\');
    if (dot == std::string_view::npos) return {};
    if (slash == std::string_view::npos) return std::string(path);
    if (slash > dot) return {};
    return std::string(path.substr(slash + 1));
}

std::string GetFolder(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash + 1));
}

std::string CompleteExtension(std::string path, std::string_view defaultExt,
                              std::int32_t filterIndex, std::int32_t extensionOffset) {
    if (defaultExt.empty()) return path;
    const std::string dotted = "." + std::string(defaultExt);
    if (extensionOffset == 0) {
        const bool endsWithIt =
            path.size() >= dotted.size() &&
            EqualIgnoringCase(std::string_view(path).substr(path.size() - dotted.size()), dotted);
        if (!endsWithIt && filterIndex == kFirstFilter) path += dotted;
    } else if (static_cast<std::size_t>(extensionOffset) == path.size()) {
        // The name ends with a dot: complete it under the first filter, else drop the dot.
        if (filterIndex == kFirstFilter)
            path += defaultExt;
        else
            path.pop_back();
    }
    return path;
}

FileDialogRequest PictureFileRequest(const Language& language, std::string startText) {
    FileDialogRequest request;
    request.title = language.GetText(text::kChooseBackgroundPicture);
    request.filter = FilterPair(language.GetText(text::kAllPictures) + " (*.bmp;*.jpg;*.gif)",
                                "*.bmp;*.jpg;*.gif") +
                     FilterPair("BMP (*.bmp)", "*.bmp") + FilterPair("JPG (*.jpg)", "*.jpg") +
                     FilterPair("GIF (*.gif)", "*.gif") +
                     FilterPair(language.GetText(text::kAllFiles) + " (*.*)", "*.*");
    request.defaultExt = "BMP";
    request.viewMode = kPictureDialogViewMode;
    request.startText = std::move(startText);
    return request;
}

}  // namespace brumo
