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

/* A system metric at a DPI, where Windows can say it; else the system
   DPI's (96 DPI's is 96 pixels an inch) scaled. */
static int MetricAt(int metric, int at96, UINT dpi)
{
    auto forDpi =
        reinterpret_cast<int(WINAPI *)(int, UINT)>(UserFunction("GetSystemMetricsForDpi"));
    return forDpi ? forDpi(metric, dpi) : AtDpi(at96, dpi);
}

int SmallIconSize(UINT dpi)
{
    return MetricAt(SM_CXSMICON, 16, dpi);
}

int LargeIconSize(UINT dpi)
{
    return MetricAt(SM_CXICON, 32, dpi);
}

int AtDpi(int pixels, UINT dpi)
{
    return MulDiv(pixels, (int)dpi, 96);
}
