/*
 * The program's icon on its windows, drawn from its icon group at the sizes
 * the monitor's DPI asks for.
 */
#include "ui/windowicon.h"

#include "ui/dpi.h"
#include "ui/ownicon.h"
#include "ui/resource.h"

static void *LoadOwnIcon(int size)
{
    return LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDI_RUNVO), IMAGE_ICON, size, size,
                      LR_DEFAULTCOLOR);
}

static void *SetWindowIcon(void *window, bool large, void *icon)
{
    return reinterpret_cast<HICON>(SendMessageW(static_cast<HWND>(window), WM_SETICON,
                                                large ? ICON_BIG : ICON_SMALL,
                                                reinterpret_cast<LPARAM>(icon)));
}

static void DestroyOwnIcon(void *icon)
{
    DestroyIcon(static_cast<HICON>(icon));
}

void SetProgramIcon(HWND hwnd)
{
    static const OwnIconCalls calls = {LoadOwnIcon, SetWindowIcon, DestroyOwnIcon};
    UINT dpi = WindowDpi(hwnd);
    SetOwnIcons(hwnd, SmallIconSize(dpi), LargeIconSize(dpi), &calls);
}
