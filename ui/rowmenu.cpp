/*
 * A row's menu: its items, which apply, and what each does.
 */
#include "ui/rowmenu.h"

#include "launch/entry.h"
#include "ui/listedit.h"
#include "ui/resource.h"
#include "ui/rows.h"
#include "ui/theme.h"

/* An item of the menu as the chooser draws it in the dark theme: its text
   and insert (IDS_NONE: a separator), and its font (bold for the default
   item). */
struct DarkItem {
    StringId text;
    const WCHAR *insert;
    HFONT font;
};

/* The menu's items, in the dark theme drawn by the chooser, and its fonts;
   the type that Always names. */
struct RowMenu {
    HMENU menu;
    bool dark;
    HFONT font, bold;
    DarkItem items[6];
    int count;
    WCHAR type[ROW_NAME_SIZE];
};

/* An item's text, into text (MENU_ITEM_SIZE). */
static const WCHAR *ItemText(const DarkItem *item, WCHAR *text)
{
    TextBuf t;
    OutStart(&t, text, MENU_ITEM_SIZE);
    if (item->text != IDS_NONE)
        PutOwnText(&t, item->text, item->insert);
    return text;
}

/* Appends an item of Runvo's texts, with an insert, greyed where it does
   not apply; IDS_NONE is a separator. */
static void AppendItem(RowMenu *m, UINT command, StringId text, const WCHAR *insert, bool applies)
{
    WCHAR shown[MENU_ITEM_SIZE];
    DarkItem *item = &m->items[m->count++];
    *item = DarkItem{text, insert, command == IDOK ? m->bold : m->font};
    UINT kind = (text == IDS_NONE ? MF_SEPARATOR : MF_STRING) | (applies ? 0 : MF_GRAYED);
    if (m->dark)
        AppendMenuW(m->menu, kind | MF_OWNERDRAW, command, reinterpret_cast<const WCHAR *>(item));
    else
        AppendMenuW(m->menu, kind, command, ItemText(item, shown));
}

/* The menu's fonts, for the dark theme: the system's menu font, and its
   bold for the default item. */
static void MakeFonts(RowMenu *m)
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof ncm;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        return;
    m->font = CreateFontIndirectW(&ncm.lfMenuFont);
    ncm.lfMenuFont.lfWeight = FW_BOLD;
    m->bold = CreateFontIndirectW(&ncm.lfMenuFont);
}

/* The item's text's size in its font, as dc draws it (a separator's: a
   letter's height). */
static SIZE TextSize(HDC dc, const DarkItem *item)
{
    WCHAR text[MENU_ITEM_SIZE];
    RECT rc = {0, 0, 0, 0};
    HGDIOBJ old = SelectObject(dc, item->font);
    DrawTextW(dc, item->text != IDS_NONE ? ItemText(item, text) : L"M", -1, &rc,
              DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    return SIZE{rc.right, rc.bottom};
}

bool MeasureMenuItem(const Chooser *c, MEASUREITEMSTRUCT *item)
{
    const DarkItem *dark = reinterpret_cast<const DarkItem *>(item->itemData);
    HDC dc = GetDC(c->dlg);
    SIZE size = TextSize(dc, dark);
    ReleaseDC(c->dlg, dc);
    /* As Windows lays a menu out: room for a check mark before the text. */
    item->itemWidth = (UINT)(size.cx + 3 * size.cy);
    item->itemHeight = (UINT)(dark->text != IDS_NONE ? size.cy * 3 / 2 : size.cy / 2);
    return true;
}

void DrawMenuItem(const Chooser *c, const DRAWITEMSTRUCT *item)
{
    const DarkItem *dark = reinterpret_cast<const DarkItem *>(item->itemData);
    const Palette &p = c->look.colours;
    WCHAR text[MENU_ITEM_SIZE];
    bool grey = item->itemState & ODS_GRAYED, selected = (item->itemState & ODS_SELECTED) && !grey;
    RECT rc = item->rcItem;
    FillColour(item->hDC, &rc, selected ? p.highlight : p.face);
    if (dark->text == IDS_NONE) { /* a separator: a line across the middle */
        rc.top = rc.bottom = (rc.top + rc.bottom) / 2;
        rc.bottom++;
        FillColour(item->hDC, &rc, p.grey);
        return;
    }
    HGDIOBJ old = SelectObject(item->hDC, dark->font);
    rc.left += TextSize(item->hDC, dark).cy * 2;
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, grey ? p.grey : selected ? p.highlightText : p.text);
    DrawTextW(item->hDC, ItemText(dark, text), -1, &rc,
              DT_SINGLELINE | DT_VCENTER | (item->itemState & ODS_NOACCEL ? DT_HIDEPREFIX : 0));
    SelectObject(item->hDC, old);
}

/* The row's program's file, as the launch finds it (here it may wait: the
   user asked), into found (PATH_SIZE); false where it is not found. */
static bool RowProgramFile(const Chooser *c, int row, WCHAR *found)
{
    WCHAR entry[PATH_SIZE];
    EntryProgram p;
    if (row < 0 || !RowEntry(c->list, row, entry) || !FindEntryProgram(entry, &p) || !p.exists)
        return false;
    wcscpy(found, p.found);
    ShowAsUsersSee(found);
    return true;
}

/* Where the menu opens: the pointer's place, or for the keyboard the
   selected row's bottom left. */
static POINT MenuPlace(const Chooser *c, int row, int x, int y)
{
    POINT at = {x, y};
    RECT rc;
    if (x != -1 || y != -1)
        return at;
    if (row < 0 ||
        SendMessageW(c->list, LB_GETITEMRECT, (WPARAM)row, reinterpret_cast<LPARAM>(&rc)) == LB_ERR)
        GetClientRect(c->list, &rc);
    at = POINT{rc.left, rc.bottom};
    ClientToScreen(c->list, &at);
    return at;
}

/* The row's items into the menu (found: the program's file, for Open file
   location), each greyed where it does not apply. False where there is no
   menu to be had. */
static bool FillRowMenu(const Chooser *c, int row, RowMenu *m, WCHAR *found)
{
    bool selected = row >= 0, always = selected && AlwaysType(c, m->type, ROW_NAME_SIZE);
    bool located = selected && RowProgramFile(c, row, found);
    m->dark = c->look.ownColours;
    if (!(m->menu = CreatePopupMenu()))
        return false;
    if (m->dark)
        MakeFonts(m);
    AppendItem(m, IDOK, IDS_ROW_OPEN, NULL, selected);
    AppendItem(m, IDM_ROW_ALWAYS, always ? IDS_ROW_ALWAYS : IDS_ROW_ALWAYS_NONE, m->type, always);
    AppendItem(m, IDM_ROW_REMOVE, IDS_ROW_REMOVE, NULL, selected);
    AppendItem(m, IDM_ROW_LOCATION, IDS_ROW_LOCATION, NULL, located);
    AppendItem(m, 0, IDS_NONE, NULL, true);
    AppendItem(m, IDM_ADDPROGRAM, IDS_MENU_ADD_PROGRAM, NULL, true);
    SetMenuDefaultItem(m->menu, IDOK, FALSE);
    return true;
}

/* Opens the menu at the place until the user chooses (the command; 0 for
   none), then ends it and what was made for it. */
static UINT TrackRowMenu(const Chooser *c, RowMenu *m, POINT at)
{
    /* The dark menu's background, around its items. */
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = m->dark ? CreateSolidBrush(c->look.colours.face) : NULL;
    if (info.hbrBack)
        SetMenuInfo(m->menu, &info);
    UINT command = (UINT)TrackPopupMenu(m->menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                        at.x, at.y, 0, c->dlg, NULL);
    DestroyMenu(m->menu);
    const HGDIOBJ made[] = {info.hbrBack, m->font, m->bold};
    for (HGDIOBJ object : made)
        if (object)
            DeleteObject(object);
    return command;
}

void ShowRowMenu(Chooser *c, int x, int y)
{
    WCHAR found[PATH_SIZE];
    int row = (int)SendMessageW(c->list, LB_GETCURSEL, 0, 0);
    RowMenu m = {};
    if (!FillRowMenu(c, row, &m, found))
        return;
    /* Open, Always, Remove and Add are the chooser's commands, as their
       keys give them; the file's location is the menu's own. */
    UINT command = TrackRowMenu(c, &m, MenuPlace(c, row, x, y));
    if (command == IDM_ROW_LOCATION)
        ShowInFolder(found);
    else if (command)
        SendMessageW(c->dlg, WM_COMMAND, command, 0);
}
