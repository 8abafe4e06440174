/*
 * The chooser's theme, read from the user's settings and applied.
 */
#include "ui/theme.h"

#include <dwmapi.h>
#include <uxtheme.h>

enum {
    /* DWM's attribute of a dark title bar (Windows 10 20H1 and later; not
       in every SDK's headers). */
    TITLE_DARK_ATTRIBUTE = 20
};

static const WCHAR s_personalize[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

/* Whether the apps' theme is dark: AppsUseLightTheme 0. A value read, for
   which no DLL is loaded. */
static bool AppsUseDarkTheme(void)
{
    DWORD light = 1, bytes = sizeof light;
    return RegistryRead(HKEY_CURRENT_USER, s_personalize, L"AppsUseLightTheme", RRF_RT_REG_DWORD,
                        &light, &bytes) == ERROR_SUCCESS &&
           light == 0;
}

static bool HighContrastOn(void)
{
    HIGHCONTRASTW hc = {};
    hc.cbSize = sizeof hc;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
           (hc.dwFlags & HCF_HIGHCONTRASTON);
}

/* The parts Windows draws: the title bar, where DWM has the setting, and
   the controls' theme (the list's scroll bar, the buttons, the field). */
static void ApplyToWindows(HWND hDlg, const ChooserLook *look)
{
    auto attribute = LATE("dwmapi.dll", DwmSetWindowAttribute);
    auto theme = LATE("uxtheme.dll", SetWindowTheme);
    BOOL dark = look->darkTitle;
    if (attribute)
        attribute(hDlg, TITLE_DARK_ATTRIBUTE, &dark, sizeof dark);
    for (HWND child = GetWindow(hDlg, GW_CHILD); theme && child;
         child = GetWindow(child, GW_HWNDNEXT))
        theme(child, look->theme, NULL);
}

void ApplyTheme(Chooser *c)
{
    bool wasDark = c->look.ownColours;
    c->look = LookFor(AppsUseDarkTheme(), HighContrastOn());
    /* In the light theme as it opens, nothing is loaded for it. */
    if (c->look.ownColours || wasDark)
        ApplyToWindows(c->dlg, &c->look);
    RedrawWindow(c->dlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

bool ThemeMayChange(UINT action, const WCHAR *area)
{
    return action == SPI_SETHIGHCONTRAST || (area && wcscmp(area, L"ImmersiveColorSet") == 0);
}

INT_PTR ThemeColours(const Chooser *c, UINT msg, HDC dc)
{
    if (!c || !c->look.ownColours) { /* before it is made: as in the light theme */
        /* The labels, the field and the buttons: black on the button face,
           on the default brush; the list's colours the system's. */
        if (msg == WM_CTLCOLORDLG || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        }
        return FALSE;
    }
    const Palette &p = c->look.colours;
    COLORREF back = msg == WM_CTLCOLORLISTBOX || msg == WM_CTLCOLOREDIT ? p.window : p.face;
    SetTextColor(dc, p.text);
    SetBkColor(dc, back);
    SetDCBrushColor(dc, back);
    return reinterpret_cast<INT_PTR>(GetStockObject(DC_BRUSH));
}

COLORREF ChooserColour(const Chooser *c, int index)
{
    static const struct {
        int index;
        Colour Palette::*colour;
    } s_colours[] = {
        {COLOR_BTNFACE, &Palette::face},        {COLOR_WINDOW, &Palette::window},
        {COLOR_WINDOWTEXT, &Palette::text},     {COLOR_GRAYTEXT, &Palette::grey},
        {COLOR_HIGHLIGHT, &Palette::highlight}, {COLOR_HIGHLIGHTTEXT, &Palette::highlightText},
    };
    if (c && c->look.ownColours)
        for (const auto &s : s_colours)
            if (s.index == index)
                return c->look.colours.*s.colour;
    return GetSysColor(index);
}

void FillColour(HDC dc, const RECT *rc, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    FillRect(dc, rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}
