/*
 * The chooser's menu items and what they do.
 */
#include "ui/menu.h"

#include "launch/listfile.h"
#include "launch/text.h"
#include "ui/addprogram.h"
#include "ui/resource.h"
#include "ui/setup.h"

/* An item's text, with its access key. */
static void AppendItem(HMENU menu, UINT command, StringId text)
{
    WCHAR item[MENU_ITEM_SIZE];
    TextBuf t;
    PutOwnText(OutStart(&t, item, MENU_ITEM_SIZE), text);
    AppendMenuW(menu, MF_STRING, command, item);
}

/* Appends the items of set-up, removal, editing the list and adding a
   program to the system menu. */
static void AddChooserItems(HMENU menu)
{
    AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
    AppendItem(menu, IDM_SETUP, IDS_MENU_ADD);
    AppendItem(menu, IDM_REMOVE, IDS_MENU_REMOVE);
    AppendItem(menu, IDM_EDITLIST, IDS_MENU_EDIT_LIST);
    AppendItem(menu, IDM_ADDPROGRAM, IDS_MENU_ADD_PROGRAM);
}

void UpdateChooserItems(Chooser *c, HMENU menu)
{
    if (GetMenuState(menu, IDM_SETUP, MF_BYCOMMAND) == (UINT)-1)
        AddChooserItems(menu);
    /* Read when the menu first opens and again after Add or Remove, not
       each time: Send To is often a folder on a server. */
    if (c->placesHere < 0)
        c->placesHere = SetUpPlacesHere();
    EnableMenuItem(menu, IDM_SETUP, c->placesHere == PLACE_COUNT ? MF_GRAYED : MF_ENABLED);
    EnableMenuItem(menu, IDM_REMOVE, c->placesHere == 0 ? MF_GRAYED : MF_ENABLED);
}

/* Opens the list file in the system's Notepad; the chooser reads it again
   when the user comes back to it. */
static void EditList(HWND hDlg)
{
    WCHAR list[PATH_SIZE], words[SYSTEM_WORDS_SIZE], note[MESSAGE_SIZE];
    DWORD error = ListFilePath(list) ? OpenInNotepad(list) : ERROR_FILENAME_EXCED_RANGE;
    if (!error)
        return;
    ErrorWords(error, L"notepad.exe", words, SYSTEM_WORDS_SIZE);
    const WCHAR *inserts[] = {list, words};
    TextBuf t;
    PutOwnText(OutStart(&t, note, MESSAGE_SIZE), IDS_EDIT_LIST_FAILED, inserts, 2);
    MessageBoxW(hDlg, note, L"Runvo", MB_ICONWARNING | MB_OK);
}

bool DoChooserItem(Chooser *c, UINT command)
{
    switch (command) {
    case IDM_SETUP:
    case IDM_REMOVE:
        RunSetUp(c->dlg, command == IDM_SETUP ? SETUP_ADD : SETUP_REMOVE);
        c->placesHere = -1;
        return true;
    case IDM_EDITLIST:
        EditList(c->dlg);
        return true;
    case IDM_ADDPROGRAM:
        AddFromDialog(c);
        return true;
    }
    return false;
}
