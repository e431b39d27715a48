// e2e_helper.exe: windows and facts for the end-to-end scripts (see
// E2eHelperWin32.h for the sub-commands). Built as a console program with a
// wide entry point so window captions and paths arrive unchanged.
#include "E2eHelperWin32.h"

int wmain(int argc, wchar_t** argv) {
    return static_cast<int>(brumo::e2e::RunE2eHelper(argc, argv));
}
