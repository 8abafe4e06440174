/*
 * Baseline for the quick-launch benchmark: a minimal Win32 program that only
 * starts its command-line tail and waits 300 ms.
 */
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    WinExec(lpCmdLine, SW_SHOWNORMAL);
    Sleep(300);
    return 0;
}
