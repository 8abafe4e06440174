/*
 * The launcher's chief header: the texts and the window that its parts share
 * for the whole process, and the procedures that meet across folders.
 */
#ifndef RUNVO_RUNVO_H
#define RUNVO_RUNVO_H

#include "launch/command.h"
#include "launch/launch.h"
#include "platform/platform.h"

enum {
    /* The status text: the error's first line, cut at ERROR_LINE_MAX, the
       system's words for it and the file found; the starting text, with the
       file found. */
    STATUS_SIZE = 1200,
    ERROR_LINE_MAX = 300
};

/* The command that starts the chosen program: a double quote, the program,
   and what follows it. All zero at start-up. */
extern WCHAR g_szCommand[COMMAND_SIZE];

/* What the status window paints. */
extern WCHAR g_szStatus[STATUS_SIZE];

/* The status window: owner of the dialog and of message boxes; NULL until
   the interactive launch creates it. */
extern HWND g_hwndMain;

/* Reports a command over the length limit, owned by the status window once
   there is one; gives the exit code 1. */
int CommandTooLong(void);

/* The exit code of a start that was not refused: 0 after waitMs when the
   program started, at once when the user declined to elevate it; 1 after
   the length limit's report. */
int StartedExitCode(StartResult result, DWORD waitMs);

/* The second phase of wWinMain: the chooser, then the launch. Returns the
   exit code. */
int RunInteractive(HINSTANCE hInstance, HINSTANCE hPrevInstance, const WCHAR *tail, int nCmdShow);

/* The status window: its class, and its procedure. */
bool RegisterMainClass(HINSTANCE hInstance);
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* The chooser dialog, IDD_RUNVO, a Unicode dialog (the tail shows as it
   is); its initialisation value is the tail. */
INT_PTR CALLBACK SelectDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

#endif /* RUNVO_RUNVO_H */
