/*
 * The chooser dialog: shows the tail, lists the list file's entries with the
 * default preselected, and on OK leaves a double quote and the chosen entry
 * in the command text. Its result is 1 for OK, 0 for Cancel or close. In the
 * list, a digit from 1 to 9 chooses that entry at once, and any other
 * character selects the next row whose name begins with it. It has a
 * taskbar button and Runvo's icon, and comes forward when it opens.
 */
#include "ui/selectdlg.h"

#include "launch/listfile.h"
#include "launch/rules.h"
#include "launch/runvo.h"
#include "launch/tail.h"
#include "ui/accessible.h"
#include "ui/addprogram.h"
#include "ui/chooser.h"
#include "ui/dpi.h"
#include "ui/listedit.h"
#include "ui/menu.h"
#include "ui/placement.h"
#include "ui/resource.h"
#include "ui/rowmenu.h"
#include "ui/rowname.h"
#include "ui/rows.h"
#include "ui/theme.h"
#include "ui/windowicon.h"

#include <windowsx.h>

/* Messages the chooser posts itself: lay the rows out anew after a move to
   a monitor of another DPI; come forward, once it is on screen. */
enum { WM_APP_NEWDPI = WM_APP_LOADROWS + 1, WM_APP_FORWARD };

Chooser *ChooserOf(HWND hDlg)
{
    return reinterpret_cast<Chooser *>(GetWindowLongPtrW(hDlg, DWLP_USER));
}

/* Whether the message is the user going on in the list while a letter's
   search may be under way: a key that moves or acts (any but Shift or Ctrl
   alone; Tab and Enter reach the list as its focus going, or as OK), a
   click, the wheel. The row the user goes to is the one that starts. */
static bool UserGoesOn(UINT msg, WPARAM wParam)
{
    switch (msg) {
    case WM_KEYDOWN:
        return wParam != VK_SHIFT && wParam != VK_CONTROL;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KILLFOCUS:
        return true;
    }
    return false;
}

/* Selects the row at the pointer's place in the list (lParam's client
   coordinates), where there is one. */
static void SelectRowAt(HWND hList, LPARAM lParam)
{
    LRESULT at = SendMessageW(hList, LB_ITEMFROMPOINT, 0, lParam);
    int rows = (int)SendMessageW(hList, LB_GETCOUNT, 0, 0);
    if (!HIWORD(at) && (int)LOWORD(at) < rows) /* inside a row */
        SendMessageW(hList, LB_SETCURSEL, LOWORD(at), 0);
}

/* The list box's keys: characters go by the names the rows show, not by
   the entries' text, which begins with "C:\ as often as not. A screen
   reader's question is answered with the rows' names. */
static LRESULT CALLBACK ListKeysProc(HWND hList, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer;
    HWND hDlg = GetParent(hList);
    Chooser *c = ChooserOf(hDlg);
    if (msg == WM_GETOBJECT && AnswerGetObject(hList, wParam, lParam, &answer))
        return answer;
    if (UserGoesOn(msg, wParam))
        StopSearchingRows(c);
    if (msg == WM_RBUTTONDOWN) /* the row under the pointer is the menu's */
        SelectRowAt(hList, lParam);
    if (msg == WM_KEYDOWN && (wParam == VK_INSERT || wParam == VK_DELETE)) {
        SendMessageW(hDlg, WM_COMMAND, wParam == VK_INSERT ? IDM_ADDPROGRAM : IDM_ROW_REMOVE, 0);
        return 0;
    }
    if (msg != WM_CHAR || wParam <= L' ')
        return CallWindowProcW(c->listProc, hList, msg, wParam, lParam);
    WCHAR key = (WCHAR)wParam;
    int row = DigitRow(key, (int)SendMessageW(hList, LB_GETCOUNT, 0, 0));
    if (IsDigitKey(key)) {
        if (row >= 0) {
            SendMessageW(hList, LB_SETCURSEL, (WPARAM)row, 0);
            SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
        }
    } else {
        SearchRows(c, key);
    }
    return 0;
}

static void AddEntry(void *context, const WCHAR *entry)
{
    SendMessageW(static_cast<HWND>(context), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

/* Fills the list with the list file's entries and preselects the row the
   first line and the tail choose. The entries and the first line are
   UTF-16, whatever the list file's encoding: they are compared case-blind
   as the text they are. */
static void FillList(Chooser *c)
{
    WCHAR szFirst[COMMAND_SIZE];
    HWND hList = c->list;
    /* Filled in one go: no redrawing, nor scroll bar updates, per entry. */
    SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
    bool cut;
    size_t lines = ReadProgramList(szFirst, AddEntry, hList, &cut);
    SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
    PathChar path[PATH_SIZE];
    c->listStamp = ListFilePath(path) ? FileStampOf(path) : FileStamp{};
    if (lines == 0)
        return;
    int row = PreselectedRow(szFirst, cut, c->tail->text, c->tail->form, ListEntryAt, hList);
    if (row >= 0)
        SendMessageW(hList, LB_SETCURSEL, (WPARAM)row, 0);
}

void ShowListAgain(Chooser *c, int row)
{
    SendMessageA(c->list, LB_RESETCONTENT, 0, 0); /* each row freed (WM_DELETEITEM) */
    ForgetRows(c);
    FillList(c);
    int rows = (int)SendMessageW(c->list, LB_GETCOUNT, 0, 0);
    if (row >= 0 && rows > 0)
        SendMessageW(c->list, LB_SETCURSEL, (WPARAM)(row < rows ? row : rows - 1), 0);
    InvalidateRect(c->list, NULL, TRUE);
}

/* The list read again where it was saved since it was read: its rows
   anew, the default preselected again. */
static void ReadListAgain(Chooser *c)
{
    PathChar path[PATH_SIZE];
    if (ListFilePath(path) && !SameStamp(FileStampOf(path), c->listStamp))
        ShowListAgain(c, -1);
}

static bool IsForeground(void *window)
{
    return GetForegroundWindow() == static_cast<HWND>(window);
}

static bool TakeForeground(void *window)
{
    return SetForegroundWindow(static_cast<HWND>(window)) != FALSE;
}

/* Flashes the taskbar button until the user comes to the chooser. */
static void FlashButton(void *window)
{
    FLASHWINFO flash = {sizeof flash, static_cast<HWND>(window), FLASHW_ALL | FLASHW_TIMERNOFG, 0,
                        0};
    FlashWindowEx(&flash);
}

static void InitChooser(HWND hDlg, Chooser *c)
{
    SetWindowLongPtrW(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(c));
    c->dlg = hDlg;
    c->list = GetDlgItem(hDlg, IDC_PROGLIST);
    SetDlgItemTextW(hDlg, IDC_CMDLINE, c->tail->text);
    SetRowHeight(c->list);
    c->placesHere = -1;
    c->listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(c->list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListKeysProc)));
    FillList(c);
    ApplyTheme(c);
    SetFocus(c->list);
    PostMessageA(hDlg, WM_APP_FORWARD, 0, 0); /* once it is shown */
}

/* OK: the selected row's entry into the command text, and the end. With
   Always (Ctrl+Enter, which the dialog manager makes OK, or the row's
   menu), first the rule for the tail's type, or why there is none. */
static void AcceptChoice(Chooser *c, bool always)
{
    StopSearchingRows(c); /* the row the user sees now is the one that starts */
    int sel = (int)SendMessageA(c->list, LB_GETCURSEL, 0, 0);
    WCHAR entry[PATH_SIZE];
    /* With nothing chosen the command text would start whatever it held
       before, such as a refused quick-launch command: stay open instead. */
    if (sel == LB_ERR || !RowEntry(c->list, sel, entry))
        return;
    g_szCommand[0] = L'"';
    wmemcpy(g_szCommand + 1, entry, wcslen(entry) + 1); /* 1 + 259 + 1 fit */
    /* The row chosen starts, whatever befalls the list's writing. */
    if (always)
        WriteAlways(c, sel);
    EndDialog(c->dlg, 1);
}

static void OnCommand(HWND hDlg, WPARAM wParam)
{
    Chooser *c = ChooserOf(hDlg);
    switch (LOWORD(wParam)) {
    case IDOK:
        AcceptChoice(c, GetKeyState(VK_CONTROL) < 0);
        break;
    case IDM_ROW_ALWAYS:
        AcceptChoice(c, true);
        break;
    case IDM_ROW_REMOVE:
        RemoveRow(c, (int)SendMessageW(c->list, LB_GETCURSEL, 0, 0));
        break;
    case IDM_ADDPROGRAM:
        AddFromDialog(c);
        break;
    case IDCANCEL:
        if (HIWORD(wParam) == 0)
            EndDialog(hDlg, 0);
        break;
    case IDC_HELPBTN:
        MessageBoxA(hDlg, "Help", "Help with Runvo", MB_ICONINFORMATION | MB_OK);
        SetFocus(GetDlgItem(hDlg, IDC_PROGLIST));
        break;
    case IDC_PROGLIST: /* another row chosen, however */
        if (HIWORD(wParam) == LBN_SELCHANGE)
            StopSearchingRows(c);
        break;
    }
}

/* The system menu: the close box ends the dialog (the default processing
   then runs as well); the chooser's own items are handled. */
static INT_PTR OnSysCommand(HWND hDlg, WPARAM wParam)
{
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        if (wParam == SC_CLOSE)
            EndDialog(hDlg, 0);
        return FALSE;
    }
    return DoChooserItem(ChooserOf(hDlg), (UINT)(wParam & 0xFFF0));
}

INT_PTR CALLBACK SelectDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        InitChooser(hDlg, reinterpret_cast<Chooser *>(lParam));
        return FALSE;    /* the focus is set */
    case WM_CONTEXTMENU: /* the list's, by the pointer or the keyboard */
        if (reinterpret_cast<HWND>(wParam) == GetDlgItem(hDlg, IDC_PROGLIST))
            ShowRowMenu(ChooserOf(hDlg), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return TRUE;
    case WM_DROPFILES:
        AddDropped(ChooserOf(hDlg), reinterpret_cast<HDROP>(wParam));
        return TRUE;
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
            UpdateChooserItems(ChooserOf(hDlg), reinterpret_cast<HMENU>(wParam));
        return FALSE;
    case WM_APP_FORWARD: { /* on screen: its icon, and to the front */
        static const ForwardCalls calls = {IsForeground, TakeForeground, FlashButton};
        SetProgramIcon(hDlg);
        ComeForward(hDlg, &calls);
        return TRUE;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && ChooserOf(hDlg))
            ReadListAgain(ChooserOf(hDlg));
        return FALSE;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
        return ThemeColours(ChooserOf(hDlg), msg, reinterpret_cast<HDC>(wParam));
    case WM_SETTINGCHANGE:
        if (ThemeMayChange((UINT)wParam, reinterpret_cast<const WCHAR *>(lParam)))
            ApplyTheme(ChooserOf(hDlg));
        return FALSE;
    case WM_MEASUREITEM: /* the row's menu's items, where they are drawn dark */
        return reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)->CtlType == ODT_MENU &&
               MeasureMenuItem(ChooserOf(hDlg), reinterpret_cast<MEASUREITEMSTRUCT *>(lParam));
    case WM_DRAWITEM:
        if (reinterpret_cast<const DRAWITEMSTRUCT *>(lParam)->CtlType == ODT_MENU)
            DrawMenuItem(ChooserOf(hDlg), reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        else
            DrawRow(ChooserOf(hDlg), reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_DELETEITEM:
        FreeRow(ChooserOf(hDlg), reinterpret_cast<const DELETEITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_APP_LOADROWS:
    case WM_TIMER: /* the names ahead come on the timer alone */
        LoadRows(ChooserOf(hDlg), msg == WM_TIMER);
        return TRUE;
    case WM_DPICHANGED: /* the dialog manager lays the dialog out anew first */
        SetProgramIcon(hDlg);
        PostMessageA(hDlg, WM_APP_NEWDPI, 0, 0);
        return FALSE;
    case WM_APP_NEWDPI:
        SetRowHeight(GetDlgItem(hDlg, IDC_PROGLIST));
        InvalidateRect(GetDlgItem(hDlg, IDC_PROGLIST), NULL, TRUE);
        return TRUE;
    case WM_DESTROY:
        StopSearchingRows(ChooserOf(hDlg));
        SetForegroundWindow(g_hwndMain);
        PostMessageA(g_hwndMain, WM_SETFOCUS, 0, 0);
        return FALSE;
    }
    return FALSE;
}
