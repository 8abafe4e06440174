/*
 * The chooser dialog: shows the tail, lists the list file's entries with the
 * default preselected, and on OK leaves a double quote and the chosen entry
 * in the command text. Its result is 1 for OK, 0 for Cancel or close. In the
 * list, a digit from 1 to 9 chooses that entry at once, and any other
 * character selects the next row whose name begins with it.
 */
#include "ui/selectdlg.h"

#include "launch/listfile.h"
#include "launch/rules.h"
#include "launch/runvo.h"
#include "ui/dpi.h"
#include "ui/resource.h"
#include "ui/rowname.h"
#include "ui/rows.h"
#include "ui/setup.h"

static WNDPROC s_listProc;
static HWND s_hDlg;
static const WCHAR *s_tail;
static FileStamp s_listStamp; /* the list file as last read */

/* The list box's keys: characters go by the names the rows show, not by
   the entries' text, which begins with "C:\ as often as not. */
static LRESULT CALLBACK ListKeysProc(HWND hList, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_CHAR || wParam <= L' ')
        return CallWindowProcW(s_listProc, hList, msg, wParam, lParam);
    int rows = (int)SendMessageW(hList, LB_GETCOUNT, 0, 0);
    WCHAR key = (WCHAR)wParam;
    bool digit = key >= L'1' && key <= L'9';
    int row = digit ? DigitRow(key, rows)
                    : NextRowByName(key, (int)SendMessageW(hList, LB_GETCURSEL, 0, 0), rows,
                                    ShownRowName, hList);
    if (row >= 0)
        SendMessageW(hList, LB_SETCURSEL, (WPARAM)row, 0);
    if (row >= 0 && digit)
        SendMessageW(s_hDlg, WM_COMMAND, IDOK, 0);
    return 0;
}

static void AddEntry(void *context, const WCHAR *entry)
{
    SendMessageW(static_cast<HWND>(context), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

/* Selects the first entry that begins with text, case-blind. The empty
   text begins every entry, but not every list box finds it (Wine's finds
   nothing): it selects the first entry directly. False when none is. */
static bool SelectEntryBeginning(HWND hList, const WCHAR *text)
{
    if (!text[0])
        return SendMessageA(hList, LB_SETCURSEL, 0, 0) != LB_ERR;
    return SendMessageW(hList, LB_SELECTSTRING, (WPARAM)-1, reinterpret_cast<LPARAM>(text)) !=
           LB_ERR;
}

/* Fills the list with the list file's entries and preselects: by the first
   rule of the first line that the tail's documents meet, else (and where
   the rule's text begins no entry) by the default. The entries and the
   first line are UTF-16, whatever the list file's encoding: the list box
   compares them case-blind as the text they are. */
static void FillList(HWND hList, const WCHAR *tail)
{
    WCHAR szFirst[COMMAND_SIZE], text[COMMAND_SIZE];
    /* Filled in one go: no redrawing, nor scroll bar updates, per entry. */
    SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
    size_t lines = ReadProgramList(szFirst, AddEntry, hList);
    SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
    PathChar path[PATH_SIZE];
    s_listStamp = ListFilePath(path) ? FileStampOf(path) : FileStamp{};
    if (lines == 0)
        return;
    if (RuleForTail(szFirst, tail, PathExists, text, COMMAND_SIZE) &&
        SelectEntryBeginning(hList, text))
        return;
    FirstLineDefault(szFirst, text, COMMAND_SIZE);
    SelectEntryBeginning(hList, text);
}

/* The list read again where it was saved since it was read: its rows
   anew, the default preselected again. */
static void ReadListAgain(HWND hList)
{
    PathChar path[PATH_SIZE];
    if (!ListFilePath(path) || SameStamp(FileStampOf(path), s_listStamp))
        return;
    SendMessageA(hList, LB_RESETCONTENT, 0, 0); /* each row freed (WM_DELETEITEM) */
    FillList(hList, s_tail);
    InvalidateRect(hList, NULL, TRUE);
}

/* Opens the list file in the system's Notepad; the chooser reads it again
   when the user comes back to it. */
static void EditList(HWND hDlg)
{
    WCHAR list[PATH_SIZE], words[256];
    DWORD error = ListFilePath(list) ? OpenInNotepad(list) : ERROR_FILENAME_EXCED_RANGE;
    if (error && SystemWords(error, L"notepad.exe", words, 256))
        MessageBoxW(hDlg, words, L"Runvo", MB_ICONWARNING | MB_OK);
}

static void InitChooser(HWND hDlg, const WCHAR *tail)
{
    HWND hList = GetDlgItem(hDlg, IDC_PROGLIST);
    s_hDlg = hDlg;
    s_tail = tail;
    AddSetUpItems(GetSystemMenu(hDlg, FALSE));
    SetDlgItemTextW(hDlg, IDC_CMDLINE, tail);
    SetRowHeight(hList);
    s_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListKeysProc)));
    FillList(hList, tail);
    SetFocus(hList);
}

static void AcceptChoice(HWND hDlg)
{
    HWND hList = GetDlgItem(hDlg, IDC_PROGLIST);
    LRESULT sel = SendMessageA(hList, LB_GETCURSEL, 0, 0);
    /* With nothing chosen the command text would start whatever it held
       before, such as a refused quick-launch command: stay open instead. */
    if (sel == LB_ERR)
        return;
    LRESULT len = SendMessageW(hList, LB_GETTEXTLEN, (WPARAM)sel, 0);
    if (len < 0 || len > COMMAND_SIZE - 2)
        return;
    g_szCommand[0] = L'"';
    SendMessageW(hList, LB_GETTEXT, (WPARAM)sel, reinterpret_cast<LPARAM>(g_szCommand + 1));
    EndDialog(hDlg, 1);
}

static void OnCommand(HWND hDlg, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        AcceptChoice(hDlg);
        break;
    case IDCANCEL:
        if (HIWORD(wParam) == 0)
            EndDialog(hDlg, 0);
        break;
    case IDC_HELPBTN:
        MessageBoxA(hDlg, "Help", "Help with Runvo", MB_ICONINFORMATION | MB_OK);
        SetFocus(GetDlgItem(hDlg, IDC_PROGLIST));
        break;
    }
}

/* The system menu: the close box ends the dialog (the default processing
   then runs as well); set-up, removal and editing the list are handled. */
static INT_PTR OnSysCommand(HWND hDlg, WPARAM wParam)
{
    switch (wParam & 0xFFF0) {
    case SC_CLOSE:
        if (wParam == SC_CLOSE)
            EndDialog(hDlg, 0);
        return FALSE;
    case IDM_SETUP:
        RunSetUp(hDlg, SETUP_ADD);
        return TRUE;
    case IDM_REMOVE:
        RunSetUp(hDlg, SETUP_REMOVE);
        return TRUE;
    case IDM_EDITLIST:
        EditList(hDlg);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK SelectDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        InitChooser(hDlg, reinterpret_cast<const WCHAR *>(lParam));
        return FALSE; /* the focus is set */
    case WM_COMMAND:
        OnCommand(hDlg, wParam);
        return FALSE;
    case WM_HELP:
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_HELPBTN, 0), 0);
        return TRUE;
    case WM_SYSCOMMAND:
        return OnSysCommand(hDlg, wParam);
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam)) /* the system menu */
            EnableSetUpItems(reinterpret_cast<HMENU>(wParam));
        return FALSE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            ReadListAgain(GetDlgItem(hDlg, IDC_PROGLIST));
        return FALSE;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return FALSE; /* the default brush */
    case WM_DRAWITEM:
        DrawRow(hDlg, reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_DELETEITEM:
        FreeRow(reinterpret_cast<const DELETEITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_APP_LOADROWS:
    case WM_TIMER:
        LoadVisibleRows(hDlg, GetDlgItem(hDlg, IDC_PROGLIST));
        return TRUE;
    case WM_DPICHANGED: /* the dialog manager lays the dialog out anew first */
        PostMessageA(hDlg, WM_APP_NEWDPI, 0, 0);
        return FALSE;
    case WM_APP_NEWDPI:
        SetRowHeight(GetDlgItem(hDlg, IDC_PROGLIST));
        InvalidateRect(GetDlgItem(hDlg, IDC_PROGLIST), NULL, TRUE);
        return TRUE;
    case WM_DESTROY:
        SetForegroundWindow(g_hwndMain);
        PostMessageA(g_hwndMain, WM_SETFOCUS, 0, 0);
        return FALSE;
    }
    return FALSE;
}
