/*
 * The chooser's rows, drawn by the chooser: the row's digit (1 to 9, the
 * keys that start it), the program's icon and its name, and the entry's own
 * arguments in grey, so that two lines of one program tell apart. An entry
 * whose program is not found is drawn in grey as it is written, without an
 * icon, and says "not found". The list box's strings stay the entries as
 * written; what each row's program is, its name and its icon are loaded
 * after the chooser is on screen, one row at a time while no input waits:
 * first what a type-ahead search under way needs, then the rows in view,
 * then the names (not the icons) of the rows below them, so that a letter
 * finds a row that was never in view. Each row's information is allocated
 * when it is first loaded, and freed when the list lets the row go.
 */
#include "ui/rows.h"

#include "launch/launch.h"
#include "launch/search.h"
#include "ui/chooser.h"
#include "ui/dpi.h"
#include "ui/rowicon.h"
#include "ui/rowname.h"
#include "ui/theme.h"

#include <wchar.h>

enum {
    /* The rows whose names are loaded ahead of need, from the top: a longer
       list is searched as the user types. */
    NAMES_AHEAD = 1000,
    /* The room around a row's digit, icon and name, at 96 DPI. */
    ROW_PAD = 4
};

/* What a row's program is, as last loaded. */
struct RowInfo {
    RowIcon icon; /* its size: another DPI loads it anew; 0 before it is loaded */
    bool named;   /* the program looked for, and its name known */
    bool missing;
    WCHAR name[ROW_NAME_SIZE];
};

static RowInfo *Info(HWND hList, int row)
{
    LRESULT data = SendMessageW(hList, LB_GETITEMDATA, (WPARAM)row, 0);
    return data == LB_ERR ? NULL : reinterpret_cast<RowInfo *>(data);
}

bool RowEntry(HWND hList, int row, WCHAR *entry)
{
    LRESULT len = SendMessageW(hList, LB_GETTEXTLEN, (WPARAM)row, 0);
    if (len < 0 || len >= PATH_SIZE)
        return false;
    SendMessageW(hList, LB_GETTEXT, (WPARAM)row, reinterpret_cast<LPARAM>(entry));
    return true;
}

bool ListEntryAt(void *list, int row, WCHAR *entry)
{
    return RowEntry(static_cast<HWND>(list), row, entry);
}

/* The name a row shows: its program's, once loaded, else the entry's own
   file name. False while it is not loaded. */
static bool RowName(HWND hList, int row, WCHAR *name, size_t size)
{
    RowInfo *info = Info(hList, row);
    WCHAR entry[PATH_SIZE];
    name[0] = L'\0';
    TextBuf t;
    if (info && info->named && !info->missing)
        PutText(OutStart(&t, name, size), info->name);
    else if (RowEntry(hList, row, entry))
        EntryShownName(entry, name, size);
    return info && info->named;
}

void ShownRowName(HWND hList, int row, WCHAR *name, size_t size)
{
    RowName(hList, row, name, size);
}

void SpokenRowName(HWND hList, int row, WCHAR *spoken, size_t size)
{
    WCHAR entry[PATH_SIZE], name[ROW_NAME_SIZE];
    RowInfo *info = Info(hList, row);
    bool missing = info && info->missing;
    TextBuf t;
    OutStart(&t, spoken, size);
    if (!RowEntry(hList, row, entry))
        return;
    RowName(hList, row, name, ROW_NAME_SIZE);
    PutSpokenRowName(&t, row, missing ? entry : name, EntryShownArguments(entry), missing);
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
    SendMessageW(hList, LB_SETITEMHEIGHT, 0, (icon > text ? icon : text) + AtDpi(ROW_PAD, dpi));
}

/* The row's program as the launch finds it: its file (in p->found), or the
   path that may not be looked at before it is chosen (on a network, a disc,
   or in the cloud only: its search stopped there, or a shortcut points
   there), or neither (missing). */
enum RowProgramFound { ROW_MISSING, ROW_UNOPENED, ROW_FOUND };

static RowProgramFound FindRowProgram(const WCHAR *entry, EntryProgram *p, const WCHAR **file)
{
    if (!ReadEntryProgram(entry, p))
        return ROW_MISSING;
    const WCHAR *named = NamedPath(p);
    *file = named;
    if (named && FileMayWait(named))
        return ROW_UNOPENED;
    FindEntryFile(p, true);
    if (p->waits) {
        *file = p->name; /* shown by its own name */
        return ROW_UNOPENED;
    }
    if (!p->exists)
        return ROW_MISSING;
    /* The file found, where it is not the path already asked about. */
    *file = p->found;
    bool asked = named && wcscmp(named, p->found) == 0;
    if ((!asked && FileMayWait(p->found)) || ShortcutMayWait(p->found, FileMayWait))
        return ROW_UNOPENED;
    return ROW_FOUND;
}

/* A program's name, by the name users know it by (the 32-bit launcher's
   way to the 64-bit system folder is not the shell's), else as found. A
   shortcut is shown by its own name, as the Start menu shows it. */
static void NameProgram(RowInfo *info, const WCHAR *found, const WCHAR *shown)
{
    const WCHAR *description = L"FileDescription";
    if (IsShortcut(found) || (!VersionText(shown, description, info->name, ROW_NAME_SIZE) &&
                              !VersionText(found, description, info->name, ROW_NAME_SIZE)))
        FileShownName(found, info->name, ROW_NAME_SIZE);
}

/* A row's program as found: its file, and what its icon is loaded from. */
struct RowProgram {
    EntryProgram p;
    const WCHAR *file;      /* NULL: missing */
    bool unopened;          /* not to be looked at before it is chosen */
    WCHAR shown[PATH_SIZE]; /* the file as users see it */
};

/* The icon of a row's program: a program's own (by the name users see it
   by, else as found), the generic one where it may not be looked at. */
static void *LoadProgramIcon(const void *row, int size)
{
    const RowProgram *r = static_cast<const RowProgram *>(row);
    if (r->unopened)
        return GenericProgramIcon(size);
    HICON icon = ProgramIcon(r->shown, size);
    return icon ? icon : ProgramIcon(r->file, size);
}

/* The row's program and its name, into r (r->file NULL where it is
   missing). The row before's name serves a row that shows the same file. */
static void LoadProgram(const LastRow *last, RowInfo *info, const WCHAR *entry, RowProgram *r)
{
    RowProgramFound found = FindRowProgram(entry, &r->p, &r->file);
    bool naming = !info->named; /* a name once known stays */
    info->missing = found == ROW_MISSING;
    info->named = true;
    if (found == ROW_MISSING) {
        r->file = NULL;
        return;
    }
    r->unopened = found == ROW_UNOPENED;
    bool shares = last->icon && wcscmp(last->file, r->file) == 0;
    if (naming && r->unopened)
        FileShownName(r->file, info->name, ROW_NAME_SIZE);
    else if (naming && shares)
        wmemcpy(info->name, last->name, ROW_NAME_SIZE);
    wmemcpy(r->shown, r->file, PATH_SIZE);
    ShowAsUsersSee(r->shown);
    if (naming && !r->unopened && !shares)
        NameProgram(info, r->file, r->shown);
}

/* Finds the row's program and its name, and at size its icon (0: the name
   alone, where it is not known yet); the icon it had at another size goes,
   unless another row loaded it. Says so to a screen reader where the name
   is new. False when no memory is to be had for them. */
static bool LoadRow(Chooser *c, int row, int size)
{
    HWND hList = c->list;
    LastRow *last = &c->rows.last;
    WCHAR entry[PATH_SIZE];
    RowProgram program;
    program.file = NULL;
    RowInfo *info = Info(hList, row);
    if (!info) {
        info = static_cast<RowInfo *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *info));
        if (!info)
            return false;
        SendMessageW(hList, LB_SETITEMDATA, (WPARAM)row, reinterpret_cast<LPARAM>(info));
    }
    bool named = info->named;
    if (!RowEntry(hList, row, entry))
        *info = RowInfo{info->icon, true, true, L""};
    else if (size || !named)
        LoadProgram(last, info, entry, &program);
    if (void *replaced = ShowRowIcon(last, &info->icon, program.file, info->name, size,
                                     LoadProgramIcon, &program))
        DestroyIcon(static_cast<HICON>(replaced));
    if (!named)
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hList, OBJID_CLIENT, row + 1);
    RECT rc;
    if (SendMessageW(hList, LB_GETITEMRECT, (WPARAM)row, reinterpret_cast<LPARAM>(&rc)) != LB_ERR)
        InvalidateRect(hList, &rc, FALSE);
    return true;
}

void FreeRow(Chooser *c, const DELETEITEMSTRUCT *item)
{
    RowInfo *info = reinterpret_cast<RowInfo *>(item->itemData);
    if (!info)
        return;
    if (void *owned = ForgetRowIcon(&c->rows.last, &info->icon))
        DestroyIcon(static_cast<HICON>(owned));
    HeapFree(GetProcessHeap(), 0, info);
}

void ForgetRows(Chooser *c)
{
    StopRowSearch(&c->rows.search);
    c->rows.nextAhead = 0;
}

void StopSearchingRows(Chooser *c)
{
    StopRowSearch(&c->rows.search);
}

/* True when what comes first is waiting (the user's input, another
   program's question; for names ahead, also the rows' own drawing): the
   loading goes on on the timer, which comes after them. */
static bool FirstWaits(HWND hDlg, UINT first)
{
    if (!HIWORD(GetQueueStatus(first)))
        return false;
    SetTimer(hDlg, ROWS_TIMER, USER_TIMER_MINIMUM, NULL);
    return true;
}

/* A key, a click or another program's question waits for no row. */
static bool InputWaits(HWND hDlg)
{
    return FirstWaits(hDlg, QS_INPUT | QS_SENDMESSAGE);
}

/* Goes on with the search under way, the name of each row it comes to
   loaded first where it is not known: selects the row it finds. False when
   the user's input came first. */
static bool GoOnSearching(Chooser *c)
{
    WCHAR name[ROW_NAME_SIZE];
    RowSearch *search = &c->rows.search;
    while (RowSearchUnderWay(search)) {
        if (!RowName(c->list, search->next, name, ROW_NAME_SIZE)) {
            if (InputWaits(c->dlg) || !LoadRow(c, search->next, 0))
                return false;
            continue;
        }
        int row = StepRowSearch(search, name);
        if (row >= 0)
            SendMessageW(c->list, LB_SETCURSEL, (WPARAM)row, 0);
    }
    return true;
}

/* Loads the icons and names of the rows in view. False when the user's
   input came first. */
static bool LoadRowsInView(Chooser *c, int count)
{
    HWND hList = c->list;
    RECT rc;
    GetClientRect(hList, &rc);
    int top = (int)SendMessageW(hList, LB_GETTOPINDEX, 0, 0);
    int height = (int)SendMessageW(hList, LB_GETITEMHEIGHT, 0, 0);
    int end = height > 0 ? top + rc.bottom / height + 1 : top;
    int size = SmallIconSize(WindowDpi(hList));
    for (int row = top < 0 ? 0 : top; row < end && row < count; row++) {
        RowInfo *info = Info(hList, row);
        if (info && info->icon.size == size)
            continue;
        if (InputWaits(c->dlg) || !LoadRow(c, row, size))
            return false;
    }
    return true;
}

/* Loads the names of the rows ahead of need, after the rows in view are
   drawn and while nothing else waits. */
static void LoadNamesAhead(Chooser *c, int count)
{
    const UINT first = QS_INPUT | QS_SENDMESSAGE | QS_PAINT | QS_POSTMESSAGE;
    int &next = c->rows.nextAhead;
    for (; next < count && next < NAMES_AHEAD; next++) {
        RowInfo *info = Info(c->list, next);
        if (info && info->named)
            continue;
        if (FirstWaits(c->dlg, first) || !LoadRow(c, next, 0))
            return;
    }
}

void LoadRows(Chooser *c, bool ahead)
{
    c->rows.loadPosted = false;
    KillTimer(c->dlg, ROWS_TIMER);
    int count = (int)SendMessageW(c->list, LB_GETCOUNT, 0, 0);
    if (!GoOnSearching(c) || !LoadRowsInView(c, count))
        return;
    if (ahead)
        LoadNamesAhead(c, count);
    else if (c->rows.nextAhead < count && c->rows.nextAhead < NAMES_AHEAD)
        SetTimer(c->dlg, ROWS_TIMER, USER_TIMER_MINIMUM, NULL); /* once the rows are drawn */
}

void SearchRows(Chooser *c, WCHAR key)
{
    int rows = (int)SendMessageW(c->list, LB_GETCOUNT, 0, 0);
    /* In place of one under way. */
    StartRowSearch(&c->rows.search, key, (int)SendMessageW(c->list, LB_GETCURSEL, 0, 0), rows);
    LoadRows(c, false);
}

/* Text in the rectangle, one line, centred on its height; gives its width. */
static int DrawLine(HDC dc, const WCHAR *text, RECT rc, COLORREF colour, UINT align)
{
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &rc,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    return Extent(dc, text).cx;
}

/* Has the rows in view loaded soon, where this one is not loaded. */
static bool LoadedOrAsked(Chooser *c, const RowInfo *info, int size)
{
    bool loaded = info && info->icon.size == size; /* else loaded at another DPI */
    if (!loaded && !c->rows.loadPosted) {
        PostMessageA(c->dlg, WM_APP_LOADROWS, 0, 0);
        c->rows.loadPosted = true;
    }
    return loaded;
}

/* A row's name and what follows it in grey: its own arguments, or for a
   program not found, the entry as written and "not found". */
static void DrawNameAndMore(const DRAWITEMSTRUCT *item, const WCHAR *entry, RECT rc, COLORREF text,
                            COLORREF grey, int pad)
{
    WCHAR name[ROW_NAME_SIZE], notFound[ROW_NAME_SIZE];
    int row = (int)item->itemID;
    RowInfo *info = Info(item->hwndItem, row);
    bool missing = info && info->missing;
    const WCHAR *more = EntryShownArguments(entry);
    if (missing) {
        TextBuf t;
        PutOwnText(OutStart(&t, notFound, ROW_NAME_SIZE), IDS_NOT_FOUND);
        more = notFound;
    }
    ShownRowName(item->hwndItem, row, name, ROW_NAME_SIZE);
    HDC dc = item->hDC;
    rc.left += DrawLine(dc, missing ? entry : name, rc, missing ? grey : text, DT_LEFT) + 2 * pad;
    DrawLine(dc, more, rc, grey, DT_LEFT);
}

void DrawRow(Chooser *c, const DRAWITEMSTRUCT *item)
{
    HDC dc = item->hDC;
    RECT rc = item->rcItem;
    int row = (int)item->itemID;
    bool selected = item->itemState & ODS_SELECTED;
    WCHAR entry[PATH_SIZE];
    if (row >= 0 && RowEntry(item->hwndItem, row, entry)) {
        UINT dpi = WindowDpi(item->hwndItem);
        int pad = AtDpi(ROW_PAD, dpi), size = SmallIconSize(dpi);
        COLORREF text = ChooserColour(c, selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        COLORREF grey = selected ? text : ChooserColour(c, COLOR_GRAYTEXT);
        COLORREF background = ChooserColour(c, selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        FillColour(dc, &rc, background);
        SetBkColor(dc, background);
        WCHAR key[2];
        rc.right = rc.left + Extent(dc, L"9").cx + 2 * pad;
        if (RowDigit(row, key))
            DrawLine(dc, key, rc, grey, DT_CENTER);
        RowInfo *info = Info(item->hwndItem, row);
        if (LoadedOrAsked(c, info, size) && info->icon.handle)
            DrawIconEx(dc, rc.right, rc.top + (rc.bottom - rc.top - size) / 2,
                       static_cast<HICON>(info->icon.handle), size, size, 0, NULL, DI_NORMAL);
        rc.left = rc.right + size + pad;
        rc.right = item->rcItem.right;
        DrawNameAndMore(item, entry, rc, text, grey, pad);
    }
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &item->rcItem);
}
