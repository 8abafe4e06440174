/*
 * The entry, and the quick launch: "-n N tail" starts the program on line N
 * of the list file at once, with the tail as one quoted argument (or as the
 * arguments it already is), and shows nothing. Anything that stops it falls
 * through to the chooser.
 */
#include "launch/listfile.h"
#include "launch/runvo.h"

WCHAR g_szCommand[COMMAND_SIZE];
WCHAR g_szStatus[STATUS_SIZE] = L"Starting\nprogram.exe\ncommand line";
HWND g_hwndMain;

int CommandTooLong(void)
{
    MessageBoxA(g_hwndMain, "Cmd line too long", NULL, MB_ICONERROR | MB_OK);
    return 1;
}

/* The tail comes in UTF-16, so that a document's name outside the system
   code page is passed on exactly, never as its nearest look-alike. */
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    int index;
    const WCHAR *tail;
    WCHAR program[LIST_LINE_SIZE];
    if (ParseQuickOption(lpCmdLine, &index, &tail) && ReadListLine(index, program)) {
        if (!BuildQuickCommand(g_szCommand, program, tail, TailIsArguments(tail, PathExists)))
            return CommandTooLong();
        /* USER32 is not loaded, so nothing waits for the program to be ready. */
        if (StartCommand(g_szCommand, false)) {
            Sleep(300);
            return 0;
        }
        /* A refused start is not reported: the user chooses instead. */
    }
    return RunInteractive(hInstance, hPrevInstance, tail, nCmdShow);
}
