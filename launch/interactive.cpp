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
#include "ui/chooser.h"
#include "ui/mainwnd.h"
#include "ui/selectdlg.h"
#include "ui/windowicon.h"

#include <wchar.h>

/* The status window, shown once: with the show command the launcher was
   given, the first time the launch has something to say. */
struct StatusWindow {
    int nCmdShow;
    bool shown;
};

int ShowCommandTooLong(void)
{
    MessageBoxA(g_hwndMain, "Cmd line too long", NULL, MB_ICONERROR | MB_OK);
    return 1;
}

bool LaunchEndsWith(StartResult r, DWORD sleepMs, int *exitCode)
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

static void ShowStatus(StatusWindow *status)
{
    /* Its icon when it is first shown: the chooser's start does not wait
       for a hidden window's. */
    if (!status->shown) {
        SetProgramIcon(g_hwndMain);
        ShowWindow(g_hwndMain, status->nCmdShow);
    }
    status->shown = true;
    UpdateWindow(g_hwndMain); /* on screen before the program starts */
}

/* The starting text, on screen just before the program starts; it names
   the file found where that is not the entry as written. */
static void ShowStarting(void *status, const Start *s)
{
    TextBuf t;
    PutText(OutStart(&t, g_szStatus, STATUS_SIZE), L"Starting\n");
    PutText(&t, s->entry);
    PutChar(&t, L'\n');
    if (s->file) {
        PutOwnText(&t, IDS_FILE, s->file);
        PutChar(&t, L'\n');
    }
    PutText(&t, s->tail);
    PutText(&t, L"\n\nPlease wait...");
    ShowStatus(static_cast<StatusWindow *>(status));
}

/* "Error N running" and the command, then the system's own words for N
   (its %1 and any other insert the program's file) and the file found. */
static void WriteError(StartResult r, const Start *s)
{
    FormatText(g_szStatus, ERROR_LINE_SIZE, L"Error %d running %ls", (int)s->error, s->command);
    TextBuf t = {g_szStatus, STATUS_SIZE, wcslen(g_szStatus), false};
    WCHAR words[SYSTEM_WORDS_SIZE];
    if (SystemWords(s->error, s->program ? s->program : s->entry, words, SYSTEM_WORDS_SIZE)) {
        PutChar(&t, L'\n');
        PutText(&t, words);
    }
    if (s->file) {
        PutChar(&t, L'\n');
        PutOwnText(&t, IDS_FILE, s->file);
    }
    if (r == START_BATCH_ARGUMENT) {
        PutChar(&t, L'\n');
        PutOwnText(&t, IDS_BATCH_ARGUMENT);
    }
}

/* The status text for a start that was refused. */
static void WriteRefusal(StartResult r, const Start *s)
{
    static const struct {
        StartResult result;
        StringId text;
        bool aboutFile; /* what it names: the file, else the entry */
    } notes[] = {
        {START_UNCLOSED, IDS_UNCLOSED, false},
        {START_NO_PROGRAM, IDS_NO_PROGRAM, true},
        {START_AMBIGUOUS_QUOTES, IDS_AMBIGUOUS_QUOTES, false},
        {START_SHORTCUT_QUOTES, IDS_SHORTCUT_QUOTES, true},
        {START_ANSI_NAME, IDS_ANSI_NAME, true},
    };
    for (const auto &note : notes)
        if (note.result == r) {
            TextBuf t;
            PutOwnText(OutStart(&t, g_szStatus, STATUS_SIZE), note.text,
                       note.aboutFile ? s->file : s->entry);
            return;
        }
    WriteError(r, s);
}

/* Shows why the start was refused, and services the status window until
   the user closes it; gives the quit value. */
static int ShowRefusalUntilClosed(StartResult r, const Start *s)
{
    WriteRefusal(r, s);
    ShowStatus(static_cast<StatusWindow *>(s->context));
    InvalidateRect(g_hwndMain, NULL, TRUE);
    MSG msg = {}; /* a failed fetch ends the loop with 0 */
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}

int RunInteractive(HINSTANCE hInstance, HINSTANCE hPrevInstance, const Tail *tail, int nCmdShow)
{
    if (!hPrevInstance && !RegisterMainClass(hInstance))
        return ShowSetupFailed("WinMain(): RegisterClass() failed");
    g_hwndMain =
        CreateWindowExA(0, "Runvo", "Runvo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
    if (!g_hwndMain)
        return ShowSetupFailed("WinMain(): CreateWindow() failed");
    MoveToUsersMonitor(g_hwndMain);

    Chooser chooser = {};
    chooser.tail = tail;
    INT_PTR choice = DialogBoxParamW(hInstance, L"IDD_RUNVO", g_hwndMain, SelectDlgProc,
                                     reinterpret_cast<LPARAM>(&chooser));
    if (choice == -1)
        return ShowSetupFailed("WinMain(): DialogBox() failed");
    if (choice == 0)
        return 0;

    if (!CommandFits(wcslen(g_szCommand), wcslen(tail->text)))
        return ShowCommandTooLong();
    /* As WinExec once USER32 is loaded: the wait starts when the program is
       ready for input, or after 30 s. */
    StatusWindow status = {nCmdShow, false};
    Start start = {g_szCommand + 1, tail->text, tail->form,   true,
                   ShowStarting,    &status,    &g_startTexts};
    StartResult r = StartEntry(&start);
    int code;
    if (LaunchEndsWith(r, 1000, &code))
        return code;
    return ShowRefusalUntilClosed(r, &start);
}
