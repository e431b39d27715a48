// Message boxes the saver shows: the box style values of the Windows API that
// the messages use, and the title every message carries.
#pragma once

namespace brumo {

enum class MessageStyle {
    Plain = 0,         // OK button only, no icon
    Critical = 16,     // MB_ICONHAND
    Exclamation = 48,  // MB_ICONEXCLAMATION
};

inline constexpr const char* kApplicationTitle = "Brumo";

}  // namespace brumo
