/*
 * The entry, and the quick launch: "-n N tail" starts the program on line N
 * of the list file at once, with the tail as one quoted argument, and shows
 * nothing. Anything that stops it falls through to the chooser.
 */
#include "launch/listfile.h"
#include "launch/runvo.h"

char g_szCommand[COMMAND_SIZE];
char g_szStatus[STATUS_SIZE] = "Starting\nprogram.exe\ncommand line";
HWND g_hwndMain;

int CommandTooLong(void)
{
    MessageBoxA(g_hwndMain, "Cmd line too long", NULL, MB_ICONERROR | MB_OK);
    return 1;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    int index;
    const char *tail;
    char line[LIST_LINE_SIZE];
    if (ParseQuickOption(lpCmdLine, &index, &tail) && ReadListLine(index, line)) {
        if (!BuildQuickCommand(g_szCommand, line, tail))
            return CommandTooLong();
        if (WinExec(g_szCommand, SW_SHOWNORMAL) > 31) {
            Sleep(300);
            return 0;
        }
        /* A refused start is not reported: the user chooses instead. */
    }
    return RunInteractive(hInstance, hPrevInstance, tail, nCmdShow);
}
