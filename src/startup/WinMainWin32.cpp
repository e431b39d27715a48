// The program's entry: wires the portable core to its Windows adapters, lets
// `Main` dispatch on the command line, then runs the one message loop until
// the saver window is unloaded or the settings dialog closes (each posts
// WM_QUIT). With no window the program ends at once. Each loop tick of the
// frame timer runs one frame.
#include <windows.h>

#include "animation/CaptureWin32.h"
#include "animation/DesktopShellWin32.h"
#include "animation/RandomSource.h"
#include "animation/SaverSettingsWin32.h"
#include "animation/SaverWindowWin32.h"
#include "animation/SnowMaker.h"
#include "common/ClockWin32.h"
#include "common/MessageLoopWin32.h"
#include "common/TextWin32.h"
#include "common/TraceWin32.h"
#include "music/SoundWin32.h"
#include "music/TagFileWin32.h"
#include "resources/Language.h"
#include "settings/RegistryWin32.h"
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
    MessageLoop loop;

    SaverSurfaces surfaces;
    SaverWindowWin32 window(instance, surfaces);
    DesktopShellWin32 shell(trace);
    CaptureWin32 capture(window, surfaces);
    SaverSettingsWin32 settings(language);
    MainForm form(engine, surfaces.Portable(),
                  MainFormPorts{window, settings, capture,
                                FramePorts{window, shell, loop.Timer(), loop}, clock},
                  language, sound);
    window.SetForm(form);
    loop.SetTickHandler([&form, &loop] { form.AnimationTimer_Timer(loop.Timer().IntervalMs()); });

    Win32Registry registry;
    WinTagFileSystem tagFiles;
    StartupWin32 startupHost(
        window, shell,
        SettingsDialogServices{instance, registry, language, sound, nullptr, &locale, &tagFiles},
        loop);
    ScrSaveManagement startup(startupHost, form, trace);
    startup.Main(StripProgramPath(WideToUtf8(GetCommandLineW())));
    if (window.IsLoaded() || startupHost.SettingsDialogOpen()) loop.Run();
    return 0;
}
