/*
 * Baseline for the startup benchmark: a minimal Win32 program that only
 * opens the chooser's dialog template and ends when it is closed. Empty; or,
 * given "--rows N", with N rows whose strings are the names the launcher's
 * rows show (N - 1 of "probe", then "Runvo"), the focus in the list, and
 * the list box's own type-ahead, by those strings, for a letter.
 */
#include "ui/resource.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static INT_PTR CALLBACK BaselineDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        HWND list = GetDlgItem(hDlg, IDC_PROGLIST);
        int rows = (int)lParam;
        for (int i = 0; i < rows; i++)
            SendMessageA(list, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(i + 1 < rows ? "probe" : "Runvo"));
        SetFocus(list);
        return FALSE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        EndDialog(hDlg, 0);
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    const char *rows = strstr(lpCmdLine, "--rows ");
    return (int)DialogBoxParamA(hInstance, "IDD_RUNVO", NULL, BaselineDlgProc,
                                rows ? atoi(rows + 7) : 0);
}
