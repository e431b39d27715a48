// The program's entry: wires the portable core to its Windows adapters, lets
// `Main` dispatch on the command line, then runs the saver window's message
// loop until the window is unloaded. With no window the program ends at once.
#include <windows.h>

#include "animation/MainFormWin32.h"
#include "animation/RandomSource.h"
#include "animation/SnowMaker.h"
#include "common/ClockWin32.h"
#include "common/TextWin32.h"
#include "common/TraceWin32.h"
#include "music/SoundWin32.h"
#include "resources/Language.h"
#include "startup/CommandLine.h"
#include "startup/ScrSaveManagement.h"
#include "startup/StartupWin32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace brumo;
    SystemClock clock;
    UserLocale locale;
    EnvironmentTraceSink traceSink;
    Trace trace(traceSink, clock, locale);
    Language language;
    LcgRandom random;
    SnowMaker engine(clock, locale, trace, language, random);
    WinMciPort mci;
    WinShortPath shortPaths;
    Sound sound(mci, shortPaths);
    MainFormWin32 mainForm(instance, engine, clock, language, sound, trace);
    StartupWin32 startupHost(mainForm);
    ScrSaveManagement startup(startupHost, mainForm.Form(), trace);

    startup.Main(StripProgramPath(WideToUtf8(GetCommandLineW())));
    mainForm.RunMessageLoop();
    return 0;
}
