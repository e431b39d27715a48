// An in-memory registry behind `RegistryBackend`: keys by path, values as the
// stored bytes, every call recorded in order. Key and value names compare
// without regard to ASCII case, as in the real registry. Values keep exactly
// the bytes written (the real system adds a terminating NUL to a text
// written without one).
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/RegistryFunctions.h"

namespace brumo::test {

class FakeRegistry : public RegistryBackend {
  public:
    // Every backend call, in order:
    //   "open <key path>"     a level opened for reading
    //   "create <key path>"   a level created or opened for writing
    //   "set <Name>=<bytes>"  a value written (a NUL byte shows as the two characters \0)
    //   "query <Name>"        a value read
    //   "close <key path>"    a key closed ("close ?" for a handle that is not open)
    // Key paths are written as "HKEY_CURRENT_USER\Software\..."; a refused
    // open, create or query ends in " (failed)".
    std::vector<std::string> log;
    // The access mask of every create call, in order.
    std::vector<std::uint32_t> createAccess;
    // Set to make every value write fail (the key still opens).
    bool refuseSets = false;
    // Off: text passes the ANSI conversion unchanged. On: the ANSI code page
    // is Latin-1, one byte per character up to U+00FF and "?" for the others.
    bool latin1 = false;
    // Closes of handles that were not open (double closes, predefined keys).
    int badCloses = 0;

    // Stores `bytes` as the value `name` of `keyPath`, creating the key and
    // its parents. Not recorded in the log.
    void Preset(std::string_view keyPath, std::string_view name, std::string_view bytes) {
        AddKey(keyPath);
        Key& key = keys_[Lower(Trimmed(keyPath))];
        key.values[Lower(name)] = Value{std::string(name), std::string(bytes)};
    }
    // Creates `keyPath` and its parents without values.
    void AddKey(std::string_view keyPath) {
        const std::string path = Trimmed(keyPath);
        for (std::size_t end = path.find('\\'); end != std::string::npos;
             end = path.find('\\', end + 1))
            keys_.try_emplace(Lower(path.substr(0, end)));
        keys_.try_emplace(Lower(path));
    }
    // Opening and creating `keyPath` fail from now on.
    void FailKey(std::string_view keyPath) { failing_.insert(Lower(Trimmed(keyPath))); }

    bool HasKey(std::string_view keyPath) const { return keys_.count(Lower(Trimmed(keyPath))) > 0; }
    // The stored bytes of a value, or nothing when it is missing.
    std::optional<std::string> Stored(std::string_view keyPath, std::string_view name) const {
        const auto key = keys_.find(Lower(Trimmed(keyPath)));
        if (key == keys_.end()) return std::nullopt;
        const auto value = key->second.values.find(Lower(name));
        if (value == key->second.values.end()) return std::nullopt;
        return value->second.bytes;
    }
    // The names of the values under `keyPath`, sorted.
    std::vector<std::string> ValueNames(std::string_view keyPath) const {
        std::vector<std::string> names;
        const auto key = keys_.find(Lower(Trimmed(keyPath)));
        if (key != keys_.end())
            for (const auto& [lower, value] : key->second.values) names.push_back(value.name);
        return names;
    }
    // Keys opened through this backend and not closed yet.
    std::size_t OpenKeys() const { return handles_.size(); }
    // The log lines that start with `verb` followed by a blank ("set", "query").
    std::vector<std::string> Calls(std::string_view verb) const {
        std::vector<std::string> lines;
        const std::string prefix = std::string(verb) + " ";
        for (const std::string& line : log)
            if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
        return lines;
    }

    std::optional<RegHandle> OpenKey(RegHandle parent, const std::string& name) override {
        return Reach("open", parent, name, false);
    }
    std::optional<RegHandle> CreateKey(RegHandle parent, const std::string& name,
                                       std::uint32_t access) override {
        createAccess.push_back(access);
        return Reach("create", parent, name, true);
    }
    bool SetTextValue(RegHandle key, const std::string& name, std::string_view data) override {
        std::string line = "set " + name + "=";
        for (const char c : data) line += c == '\0' ? std::string("\\0") : std::string(1, c);
        const auto handle = handles_.find(key);
        if (refuseSets || handle == handles_.end()) {
            log.push_back(line + " (failed)");
            return false;
        }
        log.push_back(line);
        keys_[Lower(handle->second)].values[Lower(name)] = Value{name, std::string(data)};
        return true;
    }
    bool QueryValue(RegHandle key, const std::string& name, std::span<char> buffer) override {
        const auto handle = handles_.find(key);
        const std::optional<std::string> bytes =
            handle == handles_.end() ? std::nullopt : Stored(handle->second, name);
        if (!bytes || bytes->size() > buffer.size()) {
            log.push_back("query " + name + " (failed)");
            return false;
        }
        log.push_back("query " + name);
        std::copy(bytes->begin(), bytes->end(), buffer.begin());
        return true;
    }
    void CloseKey(RegHandle key) override {
        const auto handle = handles_.find(key);
        if (handle == handles_.end()) {
            ++badCloses;
            log.push_back("close ?");
            return;
        }
        log.push_back("close " + handle->second);
        handles_.erase(handle);
    }

    std::string ToAnsi(const std::string& text) override {
        if (!latin1) return text;
        std::string bytes;
        for (const char32_t c : DecodeUtf8(text))
            bytes += c <= kLatin1Last ? static_cast<char>(c) : '?';
        return bytes;
    }
    std::string FromAnsi(const std::string& bytes) override {
        if (!latin1) return bytes;
        std::string text;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                text += c;
            } else {
                text += static_cast<char>(0xC0 | (byte >> 6));
                text += static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
        return text;
    }

  private:
    static constexpr char32_t kLatin1Last = 0xFF;

    struct Value {
        std::string name;
        std::string bytes;
    };
    struct Key {
        std::map<std::string, Value> values;  // by lower-case name
    };

    static std::string Lower(std::string_view text) {
        std::string lower(text);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return lower;
    }
    static std::string Trimmed(std::string_view path) {
        while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
        return std::string(path);
    }
    static std::vector<char32_t> DecodeUtf8(std::string_view text) {
        std::vector<char32_t> out;
        for (std::size_t i = 0; i < text.size();) {
            const auto lead = static_cast<unsigned char>(text[i]);
            const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            char32_t c = length == 1   ? lead
                         : length == 2 ? (lead & 0x1F)
                         : length == 3 ? (lead & 0x0F)
                                       : (lead & 0x07);
            for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
                c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            out.push_back(c);
            i += length;
        }
        return out;
    }

    std::optional<std::string> PathOf(RegHandle handle) const {
        if (handle == kHkeyCurrentUser) return "HKEY_CURRENT_USER";
        if (handle == kHkeyLocalMachine) return "HKEY_LOCAL_MACHINE";
        if (handle == kHkeyClassesRoot) return "HKEY_CLASSES_ROOT";
        const auto open = handles_.find(handle);
        if (open == handles_.end()) return std::nullopt;
        return open->second;
    }

    std::optional<RegHandle> Reach(const std::string& verb, RegHandle parent,
                                   const std::string& name, bool create) {
        const std::optional<std::string> parentPath = PathOf(parent);
        const std::string path = !parentPath    ? "?\\" + name
                                 : name.empty() ? *parentPath
                                                : *parentPath + "\\" + name;
        const std::string lower = Lower(path);
        const bool exists = keys_.count(lower) > 0 || (parentPath && name.empty());
        if (!parentPath || failing_.count(lower) > 0 || (!exists && !create)) {
            log.push_back(verb + " " + path + " (failed)");
            return std::nullopt;
        }
        keys_.try_emplace(lower);
        log.push_back(verb + " " + path);
        const RegHandle handle = nextHandle_++;
        handles_[handle] = path;
        return handle;
    }

    std::map<std::string, Key> keys_;  // by lower-case path; the roots need no entry
    std::set<std::string> failing_;
    std::map<RegHandle, std::string> handles_;
    RegHandle nextHandle_ = 1;
};

}  // namespace brumo::test
