/*
 * The interactive launch: the hidden status window, the chooser dialog that
 * it owns, then the command built from the choice and the tail. The status
 * window shows what is being started; if the start is refused it shows the
 * error until the user closes it.
 */
#include "launch/runvo.h"
#include "launch/text.h"

#include <wchar.h>

/* Reports a failed window set-up, unowned; gives the exit code -1. */
static int SetupFailed(const char *what)
{
    MessageBoxA(NULL, what, "Err! - Runvo", MB_ICONWARNING | MB_OK);
    return -1;
}

/* Services the status window, which shows the status text, until it is
   closed; gives the quit value. */
static int ShowErrorUntilClosed(void)
{
    InvalidateRect(g_hwndMain, NULL, TRUE);
    MSG msg = {}; /* a failed fetch ends the loop with 0 */
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}

int RunInteractive(HINSTANCE hInstance, HINSTANCE hPrevInstance, const WCHAR *tail, int nCmdShow)
{
    if (!hPrevInstance && !RegisterMainClass(hInstance))
        return SetupFailed("WinMain(): RegisterClass() failed");
    g_hwndMain =
        CreateWindowExA(0, "Runvo", "Runvo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
    if (!g_hwndMain)
        return SetupFailed("WinMain(): CreateWindow() failed");

    INT_PTR choice = DialogBoxParamW(hInstance, L"IDD_RUNVO", g_hwndMain, SelectDlgProc,
                                     reinterpret_cast<LPARAM>(tail));
    if (choice == -1)
        return SetupFailed("WinMain(): DialogBox() failed");
    if (choice == 0)
        return 0;

    if (!CommandFits(wcslen(g_szCommand), wcslen(tail)))
        return CommandTooLong();
    FormatText(g_szStatus, STATUS_SIZE, L"Starting\n%ls\n%ls\n\nPlease wait...", g_szCommand + 1,
               tail);
    ShowWindow(g_hwndMain, nCmdShow);
    UpdateWindow(g_hwndMain); /* on screen before the program starts */

    /* As WinExec once USER32 is loaded: the wait starts when the program is
       ready for input, or after 30 s. */
    const WCHAR *command;
    TailForm form = TailIsArguments(tail, PathExists) ? TAIL_ARGUMENTS : TAIL_TYPED;
    StartResult r = StartEntry(g_szCommand + 1, tail, form, true, &command);
    if (r < START_REFUSED)
        return StartedExitCode(r, 1000);
    if (r == START_UNCLOSED)
        FormatText(g_szStatus, STATUS_SIZE, L"Error: no closing quote\n%ls", g_szCommand + 1);
    else
        FormatText(g_szStatus, STATUS_SIZE, L"Error %d running %ls", (int)GetLastError(), command);
    return ShowErrorUntilClosed();
}
