/*
 * A row's menu: its items, which apply, and what each does.
 */
#include "ui/rowmenu.h"

#include "launch/entry.h"
#include "ui/addprogram.h"
#include "ui/listedit.h"
#include "ui/resource.h"

/* Appends an item of Runvo's texts, with an insert, greyed where it does
   not apply. */
static void AppendItem(HMENU menu, UINT command, StringId text, const WCHAR *insert, bool applies)
{
    WCHAR item[MENU_ITEM_SIZE];
    TextBuf t;
    PutString(OutStart(&t, item, MENU_ITEM_SIZE), text, insert);
    AppendMenuW(menu, MF_STRING | (applies ? 0 : MF_GRAYED), command, item);
}

/* The row's program's file, as the launch finds it (here it may wait: the
   user asked), into found (PATH_SIZE); false where it is not found. */
static bool RowProgramFile(const Chooser *c, int row, WCHAR *found)
{
    WCHAR entry[PATH_SIZE];
    EntryProgram p;
    LRESULT len = SendMessageW(c->list, LB_GETTEXTLEN, (WPARAM)row, 0);
    if (row < 0 || len < 0 || len >= PATH_SIZE)
        return false;
    SendMessageW(c->list, LB_GETTEXT, (WPARAM)row, reinterpret_cast<LPARAM>(entry));
    if (!FindEntryProgram(entry, &p) || !p.exists)
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

void ShowRowMenu(Chooser *c, int x, int y)
{
    WCHAR type[ROW_NAME_SIZE], found[PATH_SIZE];
    int row = (int)SendMessageW(c->list, LB_GETCURSEL, 0, 0);
    bool selected = row >= 0, always = selected && AlwaysType(c, type, ROW_NAME_SIZE);
    bool located = selected && RowProgramFile(c, row, found);
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    AppendItem(menu, IDOK, IDS_ROW_OPEN, NULL, selected);
    AppendItem(menu, IDM_ROW_ALWAYS, always ? IDS_ROW_ALWAYS : IDS_ROW_ALWAYS_NONE, type, always);
    AppendItem(menu, IDM_ROW_REMOVE, IDS_ROW_REMOVE, NULL, selected);
    AppendItem(menu, IDM_ROW_LOCATION, IDS_ROW_LOCATION, NULL, located);
    AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
    AppendItem(menu, IDM_ADDPROGRAM, IDS_MENU_ADD_PROGRAM, NULL, true);
    SetMenuDefaultItem(menu, IDOK, FALSE);
    POINT at = MenuPlace(c, row, x, y);
    UINT command = (UINT)TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                        at.y, 0, c->dlg, NULL);
    DestroyMenu(menu);
    switch (command) {
    case IDOK:
        SendMessageW(c->dlg, WM_COMMAND, IDOK, 0);
        break;
    case IDM_ROW_ALWAYS:
        SendMessageW(c->dlg, WM_COMMAND, IDM_ROW_ALWAYS, 0);
        break;
    case IDM_ROW_REMOVE:
        RemoveRow(c, row);
        break;
    case IDM_ROW_LOCATION:
        ShowInFolder(found);
        break;
    case IDM_ADDPROGRAM:
        AddFromDialog(c);
        break;
    }
}
