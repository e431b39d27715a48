// The update check: the maker's update page for this product, version and
// language, opened in the user's browser. The page itself tells whether a
// newer release exists; nothing is downloaded here.
#pragma once

#include <cstdint>
#include <string>

namespace brumo {

// "http://<download host>/update_<de|en>.php?product=Brumo&version=<major.minor.revision>";
// German gets "_de", every other language "_en".
std::string UpdateAddress(std::int32_t language);

}  // namespace brumo
