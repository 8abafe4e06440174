/*
 * The DPI that the launcher's windows are drawn at: the DPI of the monitor
 * each is on, for a program aware of each monitor's (Windows 10 1607 and
 * later say it; earlier ones have one DPI for the whole system).
 */
#include "ui/rows.h"

/* A USER32 function that only later Windows versions have; NULL elsewhere. */
static void (*UserFunction(const char *name))(void)
{
    return reinterpret_cast<void (*)(void)>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name));
}

UINT SystemDpi(void)
{
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return (UINT)dpi;
}

UINT WindowDpi(HWND hwnd)
{
    auto forWindow = reinterpret_cast<UINT(WINAPI *)(HWND)>(UserFunction("GetDpiForWindow"));
    return forWindow ? forWindow(hwnd) : SystemDpi();
}

int SmallIconSize(UINT dpi)
{
    auto forDpi =
        reinterpret_cast<int(WINAPI *)(int, UINT)>(UserFunction("GetSystemMetricsForDpi"));
    return forDpi ? forDpi(SM_CXSMICON, dpi) : MulDiv(16, (int)dpi, 96);
}
