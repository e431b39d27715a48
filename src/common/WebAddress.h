// Which addresses the program hands to the shell's "open" verb: only web
// pages (http, https) and, where a caller allows it, mail (mailto). Anything
// else - a local file, a program, another scheme - is never opened.
#pragma once

#include <string_view>

namespace brumo {

enum class AddressKinds { Web, WebAndMail };

bool IsOpenableAddress(std::string_view address, AddressKinds kinds);

}  // namespace brumo
