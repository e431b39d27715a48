// The tag reader's files on Windows: wide paths, hidden and system files
// count as missing, reads by offset.
#pragma once

#include <memory>
#include <string>

#include "music/ID3TagV2.h"

namespace brumo {

class WinTagFileSystem final : public TagFileSystem {
  public:
    std::unique_ptr<TagFile> Open(const std::string& path) override;
};

}  // namespace brumo
