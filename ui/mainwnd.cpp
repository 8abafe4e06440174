/*
 * The status window: the launcher's main window. Hidden while the user
 * chooses, then it shows the status text, centred from two fifths of its
 * height down, with a menu of Exit and About; at the DPI of the monitor it
 * is on, and of the one it is moved to.
 */
#include "ui/mainwnd.h"

#include "launch/runvo.h"
#include "ui/dpi.h"
#include "ui/placement.h"
#include "ui/resource.h"
#include "ui/windowicon.h"
#include "version.h"

#include <shellscalingapi.h>

static const char s_szAbout[] = "Pass the command line to the chosen program.\n\n"
                                "Runvo " RUNVO_VERSION_TEXT "\n"
                                "Written by the Runvo developers";

bool RegisterMainClass(HINSTANCE hInstance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = "Menu";
    wc.lpszClassName = "Runvo";
    return RegisterClassA(&wc) != 0;
}

/* The system font at the window's DPI where that is not the system's (the
   stock font is drawn at the system's); NULL where it is. */
static HGDIOBJ StatusFont(HWND hwnd)
{
    static HFONT s_hFont;
    static UINT s_fontDpi;
    UINT dpi = WindowDpi(hwnd);
    int system = (int)SystemDpi();
    if (dpi == (UINT)system)
        return NULL;
    if (s_fontDpi != dpi) {
        LOGFONTW lf;
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
        lf.lfHeight = MulDiv(lf.lfHeight, (int)dpi, system);
        lf.lfWidth = MulDiv(lf.lfWidth, (int)dpi, system);
        if (s_hFont)
            DeleteObject(s_hFont);
        s_hFont = CreateFontIndirectW(&lf);
        s_fontDpi = dpi;
    }
    return s_hFont;
}

static void PaintStatus(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    HGDIOBJ font = StatusFont(hwnd);
    if (font)
        SelectObject(hdc, font);
    RECT rc;
    GetClientRect(hwnd, &rc);
    rc.top = rc.bottom / 5 * 2; /* divided first: 299 gives 118 */
    /* No prefixes: a tail such as C:\R&D\a.txt is shown as it is. */
    DrawTextW(hdc, g_szStatus, -1, &rc, DT_CENTER | DT_NOPREFIX);
    EndPaint(hwnd, &ps);
}

enum { MONITORS_MOST = 16 }; /* a wall of screens has 16 at most */

/* The monitors as the platform lists them, the primary one first. */
struct MonitorList {
    HMONITOR handles[MONITORS_MOST];
    MonitorArea monitors[MONITORS_MOST];
    int count;
};

static ScreenRect ScreenRectOf(const RECT &rc)
{
    return ScreenRect{rc.left, rc.top, rc.right, rc.bottom};
}

static BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context)
{
    MonitorList *list = reinterpret_cast<MonitorList *>(context);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (list->count == MONITORS_MOST || !GetMonitorInfoW(monitor, &info))
        return list->count < MONITORS_MOST;
    int at = list->count++;
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        list->handles[at] = list->handles[0];
        list->monitors[at] = list->monitors[0];
        at = 0;
    }
    list->handles[at] = monitor;
    list->monitors[at] = MonitorArea{ScreenRectOf(info.rcMonitor), ScreenRectOf(info.rcWork), 0};
    return TRUE;
}

/* The mouse pointer, where the user can go by it. */
static Pointer UsersPointer(void)
{
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof cursor;
    bool shown = GetSystemMetrics(SM_MOUSEPRESENT) && GetCursorInfo(&cursor) &&
                 (cursor.flags & CURSOR_SHOWING) && !(cursor.flags & CURSOR_SUPPRESSED);
    return Pointer{shown, cursor.ptScreenPos.x, cursor.ptScreenPos.y};
}

/* The window the user was in, where there is one. */
static ScreenRect ForegroundRect(void)
{
    RECT rc = {0, 0, 0, 0};
    HWND front = GetForegroundWindow();
    if (front)
        GetWindowRect(front, &rc);
    return ScreenRectOf(rc);
}

void MoveToUsersMonitor(HWND hwnd)
{
    /* With one monitor there is nothing to choose: the chooser centres
       itself on it. */
    MonitorList list = {};
    RECT window;
    if (GetSystemMetrics(SM_CMONITORS) < 2 ||
        !EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(&list)) ||
        list.count == 0 || !GetWindowRect(hwnd, &window))
        return;
    Pointer pointer = UsersPointer();
    ScreenRect foreground = ForegroundRect();
    int chosen = UsersMonitor(list.monitors, list.count, &pointer, &foreground);
    HMONITOR monitor = list.handles[chosen];
    if (MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST) == monitor)
        return;
    MonitorArea &area = list.monitors[chosen];
    UINT unused;
    auto dpiOf = LATE("shcore.dll", GetDpiForMonitor); /* Windows 8.1 and later */
    if (!dpiOf || FAILED(dpiOf(monitor, MDT_EFFECTIVE_DPI, &area.dpi, &unused)))
        area.dpi = SystemDpi();
    ScreenRect to =
        CentredOn(&area, window.right - window.left, window.bottom - window.top, WindowDpi(hwnd));
    /* A move to a monitor of another DPI has Windows suggest a size of its
       own (WM_DPICHANGED): the second move keeps this one. */
    for (int i = 0; i < 2; i++)
        SetWindowPos(hwnd, NULL, to.left, to.top, to.right - to.left, to.bottom - to.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_EXIT)
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        else if (LOWORD(wParam) == IDM_ABOUT)
            MessageBoxA(hwnd, s_szAbout, "Runvo", MB_ICONINFORMATION | MB_OK);
        return 0;
    case WM_PAINT:
        PaintStatus(hwnd);
        return 0;
    case WM_SIZE:
        InvalidateRect(hwnd, NULL, TRUE); /* centred text is laid out anew */
        return 0;
    case WM_DPICHANGED: { /* the size Windows suggests for the new DPI */
        const RECT *rc = reinterpret_cast<const RECT *>(lParam);
        SetProgramIcon(hwnd);
        SetWindowPos(hwnd, NULL, rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
