/*
 * The interactive launch: the hidden status window, the chooser dialog that
 * it owns, then the command built from the choice and the tail. The status
 * window shows what is being started; if the start is refused it shows the
 * error, in the system's own words, until the user closes it.
 */
#include "launch/interactive.h"

#include "launch/launch.h"
#include "launch/runvo.h"
#include "launch/tail.h"
#include "launch/text.h"
#include "ui/mainwnd.h"
#include "ui/selectdlg.h"

#include <wchar.h>

static int s_nCmdShow;
static bool s_shown;
static StartTexts s_texts;

int ShowCommandTooLong(void)
{
    MessageBoxA(g_hwndMain, "Cmd line too long", NULL, MB_ICONERROR | MB_OK);
    return 1;
}

bool SleepOrShowTooLong(StartResult r, DWORD sleepMs, int *exitCode)
{
    switch (r) {
    case START_OK:
        Sleep(sleepMs);
        *exitCode = 0;
        return true;
    case START_CANCELLED:
        *exitCode = 0;
        return true;
    case START_TOO_LONG:
        *exitCode = ShowCommandTooLong();
        return true;
    default:
        return false;
    }
}

/* Reports a failed window set-up, unowned; gives the exit code -1. */
static int ShowSetupFailed(const char *what)
{
    MessageBoxA(NULL, what, "Err! - Runvo", MB_ICONWARNING | MB_OK);
    return -1;
}

static void ShowStatus(void)
{
    if (!s_shown)
        ShowWindow(g_hwndMain, s_nCmdShow);
    s_shown = true;
    UpdateWindow(g_hwndMain); /* on screen before the program starts */
}

/* The starting text, on screen just before the program starts; it names
   the file found where that is not the entry as written. */
static void ShowStarting(const Start *s)
{
    FormatText(g_szStatus, STATUS_SIZE, L"Starting\n%ls\n%ls%ls%ls%ls\n\nPlease wait...", s->entry,
               s->file ? L"File: " : L"", s->file ? s->file : L"", s->file ? L"\n" : L"", s->tail);
    ShowStatus();
}

/* "Error N running" and the command, then the system's own words for N
   (its %1 and any other insert the program's file) and the file found. */
static void WriteError(StartResult r, const Start *s)
{
    FormatText(g_szStatus, ERROR_LINE_SIZE, L"Error %d running %ls", (int)s->error, s->command);
    TextBuf t = {g_szStatus, STATUS_SIZE, wcslen(g_szStatus), false};
    WCHAR words[512];
    if (SystemWords(s->error, s->program ? s->program : s->entry, words, 512)) {
        PutChar(&t, L'\n');
        PutText(&t, words);
    }
    if (s->file) {
        PutAscii(&t, "\nFile: ");
        PutText(&t, s->file);
    }
    if (r == START_BATCH_ARGUMENT)
        PutAscii(&t, "\nA batch file cannot take an argument with a quote or a line break whole.");
}

/* An error of the launcher's own, and what it is about. */
static void WriteNote(const char *what, const WCHAR *about)
{
    TextBuf t;
    PutAscii(OutStart(&t, g_szStatus, STATUS_SIZE), what);
    PutText(&t, about);
}

/* The status text for a start that was refused. */
static void WriteRefusal(StartResult r, const Start *s)
{
    switch (r) {
    case START_UNCLOSED:
        WriteNote("Error: no closing quote\n", s->entry);
        break;
    case START_NO_PROGRAM:
        WriteNote("Error: the shortcut starts no program\n", s->file);
        break;
    case START_AMBIGUOUS_QUOTES:
        WriteNote("Error: the entry's quotes read two ways\n", s->entry);
        break;
    case START_SHORTCUT_QUOTES:
        WriteNote("Error: the shortcut's arguments read two ways\n", s->file);
        break;
    case START_ANSI_NAME:
        WriteNote("Error: some programs would read this name as other words, and it has no "
                  "short name\n",
                  s->file);
        break;
    default:
        WriteError(r, s);
    }
}

/* Shows why the start was refused, and services the status window until
   the user closes it; gives the quit value. */
static int ShowRefusalUntilClosed(StartResult r, const Start *s)
{
    WriteRefusal(r, s);
    ShowStatus();
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
        return ShowSetupFailed("WinMain(): RegisterClass() failed");
    g_hwndMain =
        CreateWindowExA(0, "Runvo", "Runvo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
    if (!g_hwndMain)
        return ShowSetupFailed("WinMain(): CreateWindow() failed");

    INT_PTR choice = DialogBoxParamW(hInstance, L"IDD_RUNVO", g_hwndMain, SelectDlgProc,
                                     reinterpret_cast<LPARAM>(tail));
    if (choice == -1)
        return ShowSetupFailed("WinMain(): DialogBox() failed");
    if (choice == 0)
        return 0;

    if (!CommandFits(wcslen(g_szCommand), wcslen(tail)))
        return ShowCommandTooLong();
    /* As WinExec once USER32 is loaded: the wait starts when the program is
       ready for input, or after 30 s. */
    s_nCmdShow = nCmdShow;
    TailForm form = TailIsArguments(tail, PathExists) ? TAIL_ARGUMENTS : TAIL_VERBATIM;
    Start start = {g_szCommand + 1, tail, form, true, ShowStarting, &s_texts};
    StartResult r = StartEntry(&start);
    int code;
    if (SleepOrShowTooLong(r, 1000, &code))
        return code;
    return ShowRefusalUntilClosed(r, &start);
}
