/*
 * The monitor's DPI, asked of the functions that later Windows versions
 * have, else the system's.
 */
#include "ui/dpi.h"

/* A USER32 function that only later Windows versions have; NULL elsewhere. */
static void (*UserFunction(const char *name))(void)
{
    return LateFunction("user32.dll", name);
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
