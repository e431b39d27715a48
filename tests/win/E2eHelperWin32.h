// e2e_helper.exe makes and inspects windows for the end-to-end scripts
// (sub-commands: E2eHelperWin32.cpp). Its `fake-shell` plays the shell's
// desktop icon list, which Wine lacks, with these items: a row well above the
// ground of a 1280 x 1024 screen, far enough apart that the captions leave
// free columns between the icons.
#pragma once

namespace brumo::e2e {

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
