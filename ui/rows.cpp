/*
 * The chooser's rows, drawn by the chooser: the row's digit (1 to 9, the
 * keys that start it), the program's icon and its name, and the entry's own
 * arguments in grey, so that two lines of one program tell apart. An entry
 * whose program is not found is drawn in grey as it is written, without an
 * icon, before anyone chooses it. The list box's strings stay the entries as
 * written; what each row's program is, its icon and its name are loaded for
 * the rows in view only, after the chooser is on screen and between the
 * user's keys and clicks, so that a list of any length opens at once and
 * answers at once. Each row's information is allocated when first loaded
 * and lives as long as the chooser's process, which ends soon after it.
 */
#include "ui/rows.h"

#include "launch/launch.h"
#include "launch/search.h"
#include "ui/dpi.h"
#include "ui/rowicon.h"
#include "ui/rowname.h"

#include <wchar.h>

/* What a row's program is, as last loaded. */
struct RowInfo {
    RowIcon icon; /* its size: another DPI loads it anew */
    bool missing;
    WCHAR name[ROW_NAME_SIZE];
};

static bool s_loadPosted;
static LastRow s_last;

static RowInfo *Info(HWND hList, int row)
{
    LRESULT data = SendMessageW(hList, LB_GETITEMDATA, (WPARAM)row, 0);
    return data == LB_ERR ? NULL : reinterpret_cast<RowInfo *>(data);
}

/* The row's entry as written, one list line, into entry (PATH_SIZE
   characters). */
static bool RowEntry(HWND hList, int row, WCHAR *entry)
{
    LRESULT len = SendMessageW(hList, LB_GETTEXTLEN, (WPARAM)row, 0);
    if (len < 0 || len >= PATH_SIZE)
        return false;
    SendMessageW(hList, LB_GETTEXT, (WPARAM)row, reinterpret_cast<LPARAM>(entry));
    return true;
}

void ShownRowName(void *context, int row, WCHAR *name, size_t size)
{
    HWND hList = static_cast<HWND>(context);
    RowInfo *info = Info(hList, row);
    WCHAR entry[PATH_SIZE];
    name[0] = L'\0';
    TextBuf t;
    if (info && !info->missing)
        PutText(OutStart(&t, name, size), info->name);
    else if (RowEntry(hList, row, entry))
        EntryShownName(entry, name, size);
}

/* Text's width and height, one line, as dc draws it. */
static SIZE Extent(HDC dc, const WCHAR *text)
{
    RECT rc = {0, 0, 0, 0};
    DrawTextW(dc, text, -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return SIZE{rc.right, rc.bottom};
}

void SetRowHeight(HWND hList)
{
    UINT dpi = WindowDpi(hList);
    HDC dc = GetDC(hList);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hList, WM_GETFONT, 0, 0)));
    int icon = SmallIconSize(dpi), text = Extent(dc, L"9").cy; /* the digits' line */
    SelectObject(dc, old);
    ReleaseDC(hList, dc);
    SendMessageW(hList, LB_SETITEMHEIGHT, 0, (icon > text ? icon : text) + MulDiv(4, (int)dpi, 96));
}

/* A program's icon and name, by the name users know it by (the 32-bit
   launcher's way to the 64-bit system folder is not the shell's), else as
   found. A shortcut is shown by its own name, as the Start menu shows it. */
static void LoadIconAndName(RowInfo *info, const WCHAR *found, int size)
{
    WCHAR shown[PATH_SIZE];
    wmemcpy(shown, found, PATH_SIZE);
    ShowAsUsersSee(shown);
    HICON icon = ProgramIcon(shown, size);
    if (!icon)
        icon = ProgramIcon(found, size);
    info->icon = RowIcon{icon, size, true};
    if (IsShortcut(found) || (!ProgramDescription(shown, info->name, ROW_NAME_SIZE) &&
                              !ProgramDescription(found, info->name, ROW_NAME_SIZE)))
        FileShownName(found, info->name, ROW_NAME_SIZE);
}

/* A program that may not be looked at before it is chosen (on a network,
   a disc, or in the cloud only): its file's name and the generic icon. */
static void ShowUnopened(RowInfo *info, const WCHAR *file, int size)
{
    info->icon = RowIcon{GenericProgramIcon(size), size, true};
    FileShownName(file, info->name, ROW_NAME_SIZE);
}

/* The row's program, found as the launch finds it, its icon and its name;
   or missing. */
static void LoadProgram(RowInfo *info, const WCHAR *entry, int size)
{
    EntryProgram p;
    info->missing = false;
    if (!ReadEntryProgram(entry, &p)) {
        info->missing = true;
        return;
    }
    const WCHAR *named = NamedPath(&p);
    if (named && FileMayWait(named)) {
        ShowUnopened(info, named, size);
        return;
    }
    FindEntryFile(&p);
    info->missing = !p.exists;
    if (info->missing)
        return;
    /* The file found, where it is not the path already asked about. */
    if ((!named || wcscmp(named, p.found) != 0) && FileMayWait(p.found)) {
        ShowUnopened(info, p.found, size);
    } else if (SharesLastIcon(&s_last, &info->icon, p.found, size)) {
        info->icon = RowIcon{s_last.icon->handle, size, false};
        wmemcpy(info->name, s_last.name, ROW_NAME_SIZE);
    } else {
        LoadIconAndName(info, p.found, size);
    }
    RememberLastRow(&s_last, &info->icon, p.found, info->name);
}

/* Finds the row's program, its name and its icon at size; the icon it had
   at another size goes, unless another row loaded it. False when no memory
   is to be had for them. */
static bool LoadRow(HWND hList, int row, int size)
{
    WCHAR entry[PATH_SIZE];
    RowInfo *info = Info(hList, row);
    if (!info) {
        info = static_cast<RowInfo *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *info));
        if (!info)
            return false;
        SendMessageW(hList, LB_SETITEMDATA, (WPARAM)row, reinterpret_cast<LPARAM>(info));
    }
    HICON replaced = static_cast<HICON>(DropIcon(&info->icon));
    if (replaced)
        DestroyIcon(replaced);
    info->icon.size = size;
    info->missing = !RowEntry(hList, row, entry);
    if (!info->missing)
        LoadProgram(info, entry, size);
    RECT rc;
    if (SendMessageW(hList, LB_GETITEMRECT, (WPARAM)row, reinterpret_cast<LPARAM>(&rc)) != LB_ERR)
        InvalidateRect(hList, &rc, FALSE);
    return true;
}

void FreeRow(const DELETEITEMSTRUCT *item)
{
    RowInfo *info = reinterpret_cast<RowInfo *>(item->itemData);
    if (!info)
        return;
    HICON owned = static_cast<HICON>(DropIcon(&info->icon));
    if (owned)
        DestroyIcon(owned);
    ForgetRow(&s_last, &info->icon);
    HeapFree(GetProcessHeap(), 0, info);
}

void LoadVisibleRows(HWND hDlg, HWND hList)
{
    s_loadPosted = false;
    RECT rc;
    GetClientRect(hList, &rc);
    int top = (int)SendMessageW(hList, LB_GETTOPINDEX, 0, 0);
    int count = (int)SendMessageW(hList, LB_GETCOUNT, 0, 0);
    int height = (int)SendMessageW(hList, LB_GETITEMHEIGHT, 0, 0);
    int end = height > 0 ? top + rc.bottom / height + 1 : top;
    int size = SmallIconSize(WindowDpi(hList));
    for (int row = top < 0 ? 0 : top; row < end && row < count; row++) {
        RowInfo *info = Info(hList, row);
        if (info && info->icon.size == size)
            continue;
        /* The user first: a key, a click or another program's question
           waits for no icon. */
        if (HIWORD(GetQueueStatus(QS_INPUT | QS_SENDMESSAGE))) {
            SetTimer(hDlg, ROWS_TIMER, USER_TIMER_MINIMUM, NULL);
            return;
        }
        if (!LoadRow(hList, row, size))
            break;
    }
    KillTimer(hDlg, ROWS_TIMER);
}

/* Text in the rectangle, one line, centred on its height; gives its width. */
static int DrawLine(HDC dc, const WCHAR *text, RECT rc, COLORREF colour, UINT align)
{
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &rc,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    return Extent(dc, text).cx;
}

void DrawRow(HWND hDlg, const DRAWITEMSTRUCT *item)
{
    HDC dc = item->hDC;
    RECT rc = item->rcItem;
    int row = (int)item->itemID;
    bool selected = item->itemState & ODS_SELECTED;
    WCHAR entry[PATH_SIZE], name[ROW_NAME_SIZE];
    if (row >= 0 && RowEntry(item->hwndItem, row, entry)) {
        UINT dpi = WindowDpi(item->hwndItem);
        int pad = MulDiv(4, (int)dpi, 96), size = SmallIconSize(dpi);
        COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        COLORREF grey = selected ? text : GetSysColor(COLOR_GRAYTEXT);
        int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
        /* A system colour's index and 1 is its brush, as FillRect takes it. */
        FillRect(dc, &rc, reinterpret_cast<HBRUSH>((INT_PTR)background + 1));
        SetBkColor(dc, GetSysColor(background));
        WCHAR key[2] = {(WCHAR)(L'1' + row), L'\0'};
        rc.right = rc.left + Extent(dc, L"9").cx + 2 * pad;
        if (row < 9)
            DrawLine(dc, key, rc, grey, DT_CENTER);
        RowInfo *info = Info(item->hwndItem, row);
        bool loaded = info && info->icon.size == size; /* else loaded at another DPI */
        if (!loaded && !s_loadPosted) {
            PostMessageA(hDlg, WM_APP_LOADROWS, 0, 0);
            s_loadPosted = true;
        }
        if (loaded && info->icon.handle)
            DrawIconEx(dc, rc.right, rc.top + (rc.bottom - rc.top - size) / 2,
                       static_cast<HICON>(info->icon.handle), size, size, 0, NULL, DI_NORMAL);
        rc.left = rc.right + size + pad;
        rc.right = item->rcItem.right;
        if (info && info->missing) {
            DrawLine(dc, entry, rc, grey, DT_LEFT);
        } else {
            ShownRowName(item->hwndItem, row, name, ROW_NAME_SIZE);
            rc.left += DrawLine(dc, name, rc, text, DT_LEFT) + 2 * pad;
            DrawLine(dc, EntryShownArguments(entry), rc, grey, DT_LEFT);
        }
    }
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &item->rcItem);
}
