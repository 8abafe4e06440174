/*
 * The entry, and the quick launch: "-n N tail" starts the program on line N
 * of the list file at once, with the tail as one quoted argument (or as the
 * arguments it already is), and shows nothing. Anything that stops it falls
 * through to the chooser, but a command over the length limit, and an
 * elevation prompt that the user declined.
 */
#include "launch/listfile.h"
#include "launch/runvo.h"

WCHAR g_szCommand[COMMAND_SIZE];
/* Written before the status window is first shown: kept out of the
   program's file (as an initial text it took more than all of its data). */
WCHAR g_szStatus[STATUS_SIZE];
HWND g_hwndMain;

int CommandTooLong(void)
{
    MessageBoxA(g_hwndMain, "Cmd line too long", NULL, MB_ICONERROR | MB_OK);
    return 1;
}

int StartedExitCode(StartResult result, DWORD waitMs)
{
    if (result == START_TOO_LONG)
        return CommandTooLong();
    if (result == START_OK)
        Sleep(waitMs);
    return 0;
}

/* The tail comes in UTF-16, so that a document's name outside the system
   code page is passed on exactly, never as its nearest look-alike. */
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    int index;
    const WCHAR *tail;
    WCHAR program[LIST_LINE_SIZE];
    if (ParseQuickOption(lpCmdLine, &index, &tail) && ReadListLine(index, program)) {
        bool asItIs = TailIsArguments(tail, PathExists);
        if (!BuildQuickCommand(g_szCommand, program, tail, asItIs))
            return CommandTooLong();
        /* USER32 is not loaded, so nothing waits for the program to be ready. */
        Start start = {program, tail, asItIs ? TAIL_ARGUMENTS : TAIL_QUOTED, false, NULL};
        StartResult r = StartEntry(&start);
        /* A refused start is not reported: the user chooses instead. */
        if (r < START_REFUSED)
            return StartedExitCode(r, 300);
    }
    return RunInteractive(hInstance, hPrevInstance, tail, nCmdShow);
}
