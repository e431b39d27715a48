// The registry store: text values under key paths written as one text, a root
// name, a backslash, then subkey names separated by backslashes
// ("HKEY_CURRENT_USER\Software\Merelan\Brumo\Settings"; a trailing backslash
// is allowed). The helpers talk to the registry through `RegistryBackend`, a
// port shaped like the advapi32 calls; every key they open is owned by a
// `RegKey`, so no path through them leaves a key open.
//
// Text inside the program is UTF-8. The registry keeps the value bytes in the
// system's ANSI code page, so the backend converts (`ToAnsi`/`FromAnsi`), and
// the length limits count those bytes (the read buffer) or the text's
// characters (the list shortening), as noted below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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
// Size in bytes of the buffer a value is read into; a longer value reads as
// an empty text.
inline constexpr std::size_t kReadBufferSize = 16300;

inline constexpr std::string_view kBrumoKeyPrefix = "HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\";
inline constexpr std::string_view kSettingsKeyPath =
    "HKEY_CURRENT_USER\\Software\\Merelan\\Brumo\\Settings";

// The key path of one of the program's sections ("Settings", "UpdatePanel").
std::string SectionKeyPath(std::string_view section);

// What the helpers need from the registry. Names are UTF-8; value data are
// bytes in the system's ANSI code page. Failures are answered, never thrown.
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
    // Stores exactly the bytes `data` (no NUL added) as the text value (REG_SZ)
    // `name` of `key`.
    virtual bool SetTextValue(RegHandle key, const std::string& name, std::string_view data) = 0;
    // Copies the data of the value `name` of `key`, whatever its type, to the
    // start of `buffer` and leaves the rest of the buffer as it was. Answers
    // false when the value is missing or does not fit; the buffer's content
    // does not matter then.
    virtual bool QueryValue(RegHandle key, const std::string& name, std::span<char> buffer) = 0;
    // Closes a key the backend opened (never a predefined key).
    virtual void CloseKey(RegHandle key) = 0;

    // The program's UTF-8 text as bytes in the system's ANSI code page, and back.
    virtual std::string ToAnsi(const std::string& text) = 0;
    virtual std::string FromAnsi(const std::string& bytes) = 0;
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
// character instead (the unwritten end of a read buffer).
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
// unreadable or longer than `kReadBufferSize` bytes. Never creates keys.
std::string ReadRegString(RegistryBackend& backend, std::string_view keyPath,
                          const std::string& valueName);

// Writes `value` as the text value `valueName` under `keyPath`, creating the
// missing keys. A value of `kListShorteningLength` characters or more that
// holds a ";" keeps only the entries that end within its first
// `kListShorteningLength` characters (the ";" before the cut goes too); when
// none does, the value is written whole. An empty value is stored as one NUL
// byte, any other without a terminating NUL. True when the value was written;
// false when the key cannot be reached (nothing is written then) or the
// backend refuses the value.
bool WriteRegString(RegistryBackend& backend, std::string_view keyPath,
                    const std::string& valueName, const std::string& value);

}  // namespace brumo
