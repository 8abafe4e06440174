/*
 * Process start-up: the program's own entry point, in place of the C
 * runtime's. It hands wWinMain its four values and ends the process with
 * wWinMain's result as the exit code.
 *
 * The tail is formed here from the process's own command line in UTF-16, as
 * the system holds it: its single-byte form replaces what the system code
 * page cannot hold with look-alikes or question marks, and the runtime's
 * start-up would also take a byte from 0x80 up that follows the program's
 * name for a blank and drop it. The launcher passes every character on.
 * Nothing else of the runtime's start-up is needed: msvcrt.dll sets itself
 * up when it is loaded, and the launcher has no static constructors. Leaving
 * it out halves the size of the program.
 *
 * Before anything else is loaded, the launcher's own DLL search is narrowed
 * to the system folder: Windows loads some DLLs by name on a program's
 * behalf, and by default it looks in the current folder too, which is the
 * document's (a Downloads folder holds anything). And a drive without a
 * disc (an empty card reader, a DVD drive) fails what asks it at once,
 * rather than stopping the launcher with Windows' "There is no disk in the
 * drive" box: for the launcher's thread alone, as the programs it starts
 * keep the system's own behaviour.
 */
#include "launch/tail.h"
#include "platform/win32.h"

/* Windows 8 and later have it (7 with an update): where it is missing, the
   search stays as it was. It is the process's own; the programs it starts
   search as before. */
static void SearchDllsInSystemOnly(void)
{
    typedef BOOL(WINAPI * SetDirectoriesFn)(DWORD);
    FARPROC proc = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (proc)
        reinterpret_cast<SetDirectoriesFn>(reinterpret_cast<void (*)(void)>(proc))(
            LOAD_LIBRARY_SEARCH_SYSTEM32);
}

extern "C" void RunvoStartup(void)
{
    SearchDllsInSystemOnly();
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, NULL);
    STARTUPINFOA si;
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    int nCmdShow = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
    int code = wWinMain(GetModuleHandleW(NULL), NULL, CommandLineTail(GetCommandLineW()), nCmdShow);
    ExitProcess((UINT)code);
}
