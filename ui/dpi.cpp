/*
 * The DPI that the launcher's windows are drawn at: the DPI of the monitor
 * each is on, for a program aware of each monitor's (Windows 10 1607 and
 * later say it; earlier ones have one DPI for the whole system).
 */
#include "ui/rows.h"

UINT WindowDpi(HWND hwnd)
{
    typedef UINT(WINAPI * ForWindowFn)(HWND);
    auto forWindow = reinterpret_cast<ForWindowFn>(reinterpret_cast<void (*)(void)>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (forWindow)
        return forWindow(hwnd);
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return (UINT)dpi;
}

int SmallIconSize(UINT dpi)
{
    typedef int(WINAPI * ForDpiFn)(int, UINT);
    auto forDpi = reinterpret_cast<ForDpiFn>(reinterpret_cast<void (*)(void)>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    return forDpi ? forDpi(SM_CXSMICON, dpi) : MulDiv(16, (int)dpi, 96);
}
