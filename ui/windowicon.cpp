/*
 * The program's icon on its windows, drawn from its icon group at the sizes
 * the monitor's DPI asks for.
 */
#include "ui/windowicon.h"

#include "ui/dpi.h"
#include "ui/resource.h"

/* Loads the icon at size and sets it as which (ICON_SMALL or ICON_BIG). */
static void SetIcon(HWND hwnd, WPARAM which, int size)
{
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDI_RUNVO),
                                               IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (!icon)
        return;
    HICON before = reinterpret_cast<HICON>(
        SendMessageW(hwnd, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
    if (before) /* only Runvo sets its windows' icons */
        DestroyIcon(before);
}

void SetProgramIcon(HWND hwnd)
{
    UINT dpi = WindowDpi(hwnd);
    SetIcon(hwnd, ICON_SMALL, SmallIconSize(dpi));
    SetIcon(hwnd, ICON_BIG, LargeIconSize(dpi));
}
