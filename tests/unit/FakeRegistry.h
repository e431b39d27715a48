// An in-memory registry behind `RegistryBackend` that records every call.
// Values keep exactly the text written. Names compare exactly, which is
// stricter than the real registry.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/RegistryFunctions.h"

namespace brumo::test {

class FakeRegistry : public RegistryBackend {
  public:
    // Every call in order: "open <key path>", "create <key path>", "set
    // <Name>", "query <Name>", "close <key path>"; refused ones end in " (failed)".
    std::vector<std::string> log;

    // Stores a value, creating its key and the key's parents; not logged.
    void Preset(std::string_view keyPath, std::string_view name, std::string_view text) {
        const std::string path(keyPath);
        for (std::size_t end = 0; (end = path.find('\\', end + 1)) != std::string::npos;)
            keys_[path.substr(0, end)];
        keys_[path][std::string(name)] = std::string(text);
    }

    std::optional<std::string> Stored(std::string_view keyPath, std::string_view name) const {
        const auto key = keys_.find(keyPath);
        if (key == keys_.end() || key->second.count(name) == 0) return std::nullopt;
        return key->second.find(name)->second;
    }
    // What the logged calls of one verb named (paths, or value names), in order.
    std::vector<std::string> Calls(const std::string& verb) const {
        std::vector<std::string> names;
        for (const std::string& line : log)
            if (line.rfind(verb + " ", 0) == 0) names.push_back(line.substr(verb.size() + 1));
        return names;
    }

    std::optional<RegHandle> OpenKey(RegHandle parent, const std::string& name) override {
        return Reach("open", parent, name, false);
    }
    std::optional<RegHandle> CreateKey(RegHandle parent, const std::string& name,
                                       std::uint32_t access) override {
        // Every key-specific right, none of the standard rights.
        return Reach(access == 0x3F ? "create" : "create with a wrong mask", parent, name, true);
    }
    bool SetTextValue(RegHandle key, const std::string& name, std::string_view text) override {
        if (handles_.count(key) == 0) return false;
        log.push_back("set " + name);
        keys_[handles_[key]][name] = std::string(text);
        return true;
    }
    std::optional<std::string> QueryText(RegHandle key, const std::string& name,
                                         std::size_t capacity) override {
        std::optional<std::string> text;
        if (handles_.count(key) > 0) text = Stored(handles_[key], name);
        if (text && CountCharacters(*text) > capacity) text.reset();
        log.push_back("query " + name + (text ? "" : " (failed)"));
        return text;
    }
    void CloseKey(RegHandle key) override {
        log.push_back("close " + (handles_.count(key) ? handles_[key] : "of a key not open"));
        handles_.erase(key);
    }

  private:
    // Reaches `name` below `parent`; an unknown parent shows as "?".
    std::optional<RegHandle> Reach(const std::string& verb, RegHandle parent,
                                   const std::string& name, bool create) {
        const bool known = handles_.count(parent) > 0;
        const std::string parentPath = known ? handles_[parent] : "?";
        const std::string path = name.empty() ? parentPath : parentPath + "\\" + name;
        const bool reached = known && (create || name.empty() || keys_.count(path) > 0);
        log.push_back(verb + " " + path + (reached ? "" : " (failed)"));
        if (!reached) return std::nullopt;
        keys_[path];
        handles_[nextHandle_] = path;
        return nextHandle_++;
    }

    // Values by key path, then by name.
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> keys_;
    // The open keys' paths; the predefined roots are open from the start.
    std::map<RegHandle, std::string> handles_ = {{kHkeyCurrentUser, "HKEY_CURRENT_USER"},
                                                 {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"},
                                                 {kHkeyClassesRoot, "HKEY_CLASSES_ROOT"}};
    RegHandle nextHandle_ = 1;
};

}  // namespace brumo::test
