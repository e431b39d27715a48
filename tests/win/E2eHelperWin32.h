// The Windows side of the end-to-end tests: a small console program whose
// sub-commands make and inspect windows so the shell scripts in tests/e2e can
// check what brumo.scr does. The entry point (e2e_helper.cpp) only forwards
// its wide arguments here; every sub-command prints "key value" lines on
// stdout (flushed line by line, the scripts read them from a file).
#pragma once

namespace brumo::e2e {

// Exit codes of the helper.
enum class HelperResult : int {
    kOk = 0,
    kConditionNotMet = 1,  // a wait ran out or the thing looked for is missing
    kUsage = 2,
    kSystemFailure = 3,
};

HelperResult RunE2eHelper(int argc, wchar_t** argv);

}  // namespace brumo::e2e
