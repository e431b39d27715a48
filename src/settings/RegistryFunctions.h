// The registry store: text values under key paths written as one text, a root
// name, a backslash, then subkey names separated by backslashes
// ("HKEY_CURRENT_USER\Software\Merelan\Brumo\Settings"; a trailing backslash
// is allowed). The helpers talk to the registry through `RegistryBackend`, a
// port shaped like the advapi32 calls; every key they open is owned by a
// `RegKey`, so no path through them leaves a key open.
//
// Text inside the program and through the port is UTF-8; the backend converts
// at the system boundary. The length limits (the read buffer, the list
// shortening) count characters as the system does: one UTF-16 unit for a
// character of the basic plane, two for any other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brumo {

// An open key as the backend knows it: an opaque number.
using RegHandle = std::uint64_t;

// The predefined keys the root names map to.
inline constexpr RegHandle kHkeyClassesRoot = 0x80000000;
inline constexpr RegHandle kHkeyCurrentUser = 0x80000001;
inline constexpr RegHandle kHkeyLocalMachine = 0x80000002;

// Access mask for creating or opening a key to write: every key-specific
// right (query, set, create subkey, enumerate, notify, create link), none of
// the standard rights.
inline constexpr std::uint32_t kCreateKeyAccess = 0x3F;

// A ";"-list value this long (in characters) or longer loses whole trailing
// entries before it is written.
inline constexpr std::size_t kListShorteningLength = 16299;
// Size in characters of the buffer a value is read into; a longer value
// reads as an empty text.
inline constexpr std::size_t kReadBufferSize = 16300;

inline constexpr std::string_view kBrumoKeyPrefix = "HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\";
inline constexpr std::string_view kSettingsKeyPath =
    "HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings";

// The key path of one of the program's sections ("Settings", "UpdatePanel").
std::string SectionKeyPath(std::string_view section);

// The length of a UTF-8 text in the system's characters (UTF-16 units).
std::size_t CountCharacters(std::string_view text);

// What the helpers need from the registry. Names and texts are UTF-8 and may
// hold NUL characters. Failures are answered, never thrown.
class RegistryBackend {
  public:
    virtual ~RegistryBackend() = default;

    // Opens the subkey `name` of `parent` (one level) for reading. An empty
    // name opens a new handle to `parent` itself.
    virtual std::optional<RegHandle> OpenKey(RegHandle parent, const std::string& name) = 0;
    // Creates the subkey `name` of `parent` (one level), or opens it when it
    // exists, with the access mask `access`.
    virtual std::optional<RegHandle> CreateKey(RegHandle parent, const std::string& name,
                                               std::uint32_t access) = 0;
    // Stores exactly the characters of `text` (no NUL added) as the text value
    // (REG_SZ) `name` of `key`.
    virtual bool SetTextValue(RegHandle key, const std::string& name, std::string_view text) = 0;
    // The data of the value `name` of `key`, whatever its type, as text of at
    // most `capacity` characters; nothing when the value is missing or longer.
    virtual std::optional<std::string> QueryText(RegHandle key, const std::string& name,
                                                 std::size_t capacity) = 0;
    // Closes a key the backend opened (never a predefined key).
    virtual void CloseKey(RegHandle key) = 0;
};

// An open key, closed through its backend when the owner goes away. An empty
// owner stands for "could not be opened".
class RegKey {
  public:
    RegKey() = default;
    RegKey(RegistryBackend& backend, RegHandle handle) : backend_(&backend), handle_(handle) {}
    RegKey(RegKey&& other) noexcept;
    RegKey& operator=(RegKey&& other) noexcept;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Close(); }

    bool IsOpen() const { return backend_ != nullptr; }
    explicit operator bool() const { return IsOpen(); }
    RegHandle Get() const { return handle_; }
    void Close();

  private:
    RegistryBackend* backend_ = nullptr;
    RegHandle handle_ = 0;
};

// The text before the first NUL character; a text without NUL loses its last
// character instead (the unwritten end of a full read buffer).
std::string CutAtNull(std::string_view text);

// Creates or opens the subkey `name` of `parent` with `kCreateKeyAccess`;
// empty on failure.
RegKey CreateRegKey(RegistryBackend& backend, RegHandle parent, const std::string& name);

// Opens every level of `keyPath` in turn, creating missing levels when
// `create` is true. Empty when the path has no backslash, its root name is
// not exactly one of "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE" and
// "HKEY_CLASSES_ROOT", or a level cannot be opened (or created).
RegKey OpenRegPath(RegistryBackend& backend, std::string_view keyPath, bool create);

// The value `valueName` under `keyPath`, cut at its first NUL and trimmed of
// leading and trailing blanks; empty when the key or the value is missing,
// unreadable or longer than `kReadBufferSize` characters. Never creates keys.
std::string ReadRegString(RegistryBackend& backend, std::string_view keyPath,
                          const std::string& valueName);

// Writes `value` as the text value `valueName` under `keyPath`, creating the
// missing keys. A value of `kListShorteningLength` characters or more that
// holds a ";" keeps only the entries that end within its first
// `kListShorteningLength` characters (the ";" before the cut goes too); when
// none does, the value is written whole. An empty value is stored as one NUL
// character, any other without a terminating NUL. True when the value was written;
// false when the key cannot be reached (nothing is written then) or the
// backend refuses the value.
bool WriteRegString(RegistryBackend& backend, std::string_view keyPath,
                    const std::string& valueName, const std::string& value);

}  // namespace brumo
