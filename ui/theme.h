/*
 * The chooser in the theme Windows asks for (ui/look.h): read from the
 * user's settings (the apps' theme, high contrast), applied to the parts
 * Windows draws (the title bar through DWM, the controls through their
 * theme) and to those Runvo draws, and again when the user changes it
 * while the chooser is open. In the light theme nothing more is loaded
 * than the one value read; DWM and the theme library only where it is
 * dark.
 */
#ifndef RUNVO_THEME_H
#define RUNVO_THEME_H

#include "ui/chooser.h"

/* Reads the theme and applies it to the chooser: as it opens, and when
   the user changes it (from dark to light too). */
void ApplyTheme(Chooser *c);

/* Whether the setting changed (WM_SETTINGCHANGE's text) may change the
   chooser's look: the apps' theme, or high contrast. */
bool ThemeMayChange(UINT action, const WCHAR *area);

/* Answers WM_CTLCOLORDLG, WM_CTLCOLORSTATIC (the labels and the read-only
   field), WM_CTLCOLORBTN, WM_CTLCOLORLISTBOX and WM_CTLCOLOREDIT: the
   colours on dc, and the brush of the background; FALSE where the default
   processing brings the system's. c may be NULL: the chooser is being
   made. */
INT_PTR ThemeColours(const Chooser *c, UINT msg, HDC dc);

/* A colour of the chooser's as a system colour's index names it
   (COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_GRAYTEXT, COLOR_HIGHLIGHT,
   COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE): the system's, or the dark palette's. */
COLORREF ChooserColour(const Chooser *c, int index);

/* Fills the rectangle with a colour of the chooser's. */
void FillColour(HDC dc, const RECT *rc, COLORREF colour);

#endif /* RUNVO_THEME_H */
