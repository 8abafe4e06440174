/*
 * A program added from the Open dialog or by a drop.
 */
#include "ui/addprogram.h"

#include "launch/entry.h"
#include "ui/listedit.h"
#include "ui/rows.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wchar.h>

enum {
    /* The most that one message names of the documents dropped. */
    DROPPED_NAMES_SIZE = 4 * PATH_SIZE
};

/* The row whose entry names the file already, however its path is spelt
   (its program found as the rows find it, not where that may wait); -1 for
   none. */
static int RowOfFile(const Chooser *c, const WCHAR *file)
{
    WCHAR entry[PATH_SIZE];
    int rows = (int)SendMessageW(c->list, LB_GETCOUNT, 0, 0);
    for (int row = 0; row < rows; row++) {
        EntryProgram p;
        if (!RowEntry(c->list, row, entry) || !ReadEntryProgram(entry, &p))
            continue;
        FindEntryFile(&p, true);
        if (p.exists && SameFile(p.found, file))
            return row;
    }
    return -1;
}

/* Adds the program's file as the list's last entry, and selects its row. */
static void AddFile(Chooser *c, const WCHAR *file)
{
    WCHAR entry[PATH_SIZE];
    const WCHAR *named[] = {file};
    int row = RowOfFile(c, file);
    if (row >= 0) { /* not twice */
        SendMessageW(c->list, LB_SETCURSEL, (WPARAM)row, 0);
        return;
    }
    if (wcslen(file) > LIST_LINE_UNITS) {
        TellOfList(c, IDS_ADD_TOO_LONG, named, 1);
        return;
    }
    if (!EntryForFile(file, entry)) {
        TellOfList(c, IDS_ADD_PERCENT, named, 1);
        return;
    }
    const ListChange change = {EDIT_ADD, 0, entry};
    ChangeListFile(c, &change, INT_MAX);
}

/* Where most installers put their shortcuts: the Start menu's Programs
   folder of every user, into folder (PATH_SIZE); "" where it is not to be
   had. The user's own is one click away in the dialog. */
static void StartMenuPrograms(WCHAR *folder)
{
    auto known = LATE("shell32.dll", SHGetKnownFolderPath);
    auto release = LATE("ole32.dll", CoTaskMemFree);
    PWSTR path = NULL;
    folder[0] = L'\0';
    if (known && release && SUCCEEDED(known(FOLDERID_CommonPrograms, 0, NULL, &path)) &&
        wcslen(path) < PATH_SIZE)
        wcscpy(folder, path);
    if (release)
        release(path);
}

/* The user's choice in the Open dialog into file (PATH_SIZE); false for
   none. A shortcut chosen stays a shortcut. */
static bool ChooseProgram(HWND owner, WCHAR *file)
{
    WCHAR folder[PATH_SIZE], filter[MENU_ITEM_SIZE], title[MENU_ITEM_SIZE];
    auto open = LATE("comdlg32.dll", GetOpenFileNameW);
    TextBuf t;
    /* The filter's parts are parted by '|' in the text, by NULs for the
       dialog, which ends them with two. */
    PutOwnText(OutStart(&t, filter, MENU_ITEM_SIZE - 1), IDS_BROWSE_FILTER);
    filter[t.len + 1] = L'\0';
    for (WCHAR *p = filter; *p; p++)
        *p = *p == L'|' ? L'\0' : *p;
    PutOwnText(OutStart(&t, title, MENU_ITEM_SIZE), IDS_BROWSE_TITLE);
    StartMenuPrograms(folder);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = PATH_SIZE;
    ofn.lpstrInitialDir = folder[0] ? folder : NULL;
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                OFN_NODEREFERENCELINKS | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    file[0] = L'\0';
    return open && open(&ofn);
}

void AddFromDialog(Chooser *c)
{
    WCHAR file[PATH_SIZE];
    const WCHAR *named[] = {file};
    if (!ChooseProgram(c->dlg, file))
        return;
    if (IsProgramToList(file))
        AddFile(c, file);
    else
        TellOfList(c, IDS_ADD_DOCUMENTS, named, 1);
}

void AddDropped(Chooser *c, HDROP drop)
{
    auto query = LATE("shell32.dll", DragQueryFileW);
    auto finish = LATE("shell32.dll", DragFinish);
    WCHAR file[PATH_SIZE], others[DROPPED_NAMES_SIZE];
    const WCHAR *named[] = {others};
    UINT count = query ? query(drop, 0xFFFFFFFF, NULL, 0) : 0;
    TextBuf t;
    OutStart(&t, others, DROPPED_NAMES_SIZE);
    for (UINT i = 0; i < count; i++) {
        UINT n = query(drop, i, file, PATH_SIZE);
        if (!FitsPath(n))
            continue;
        if (IsFile(file) && IsProgramToList(file)) {
            AddFile(c, file);
            continue;
        }
        PutText(&t, t.len ? L"\n" : L"");
        PutText(&t, file);
    }
    if (finish)
        finish(drop);
    if (t.len)
        TellOfList(c, IDS_ADD_DOCUMENTS, named, 1);
}
