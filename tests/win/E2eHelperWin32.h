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

// The items `fake-shell` puts into its icon list: where (list client
// coordinates, which are screen pixels) and with which caption. A row well
// above the bottom of a 1280 x 1024 screen, far enough apart that the
// captions leave free columns between the icons.
struct FakeShellIcon {
    int x;
    int y;
    const wchar_t* caption;
};
inline constexpr FakeShellIcon kFakeShellIcons[] = {
    {200, 400, L"Recycle Bin"},
    {520, 400, L"Documents"},
    {840, 400, L"Snow notes"},
};

}  // namespace brumo::e2e
