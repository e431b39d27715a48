// The address of the maker's update page. The host is set at build time
// (CMake cache variable BRUMO_DOWNLOAD_HOST), the version is the program's own.
#include "online/UpdateCheck.h"

#include "common/Version.h"
#include "resources/Language.h"

namespace brumo {

std::string UpdateAddress(std::int32_t language) {
    const char* suffix = language == kGerman ? "_de" : "_en";
    return std::string("http://") + BRUMO_DOWNLOAD_HOST + "/update" + suffix +
           ".php?product=Brumo&version=" + VersionText();
}

}  // namespace brumo
