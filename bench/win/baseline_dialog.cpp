/*
 * Baseline for the startup benchmark: a minimal Win32 program that only
 * opens the chooser's dialog template, empty, and ends when it is closed.
 */
#include <windows.h>

static INT_PTR CALLBACK EmptyDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        EndDialog(hDlg, 0);
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return (int)DialogBoxParamA(hInstance, "IDD_RUNVO", NULL, EmptyDlgProc, 0);
}
