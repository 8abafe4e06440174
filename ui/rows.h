/*
 * The chooser's rows as the chooser draws them: how a row looks, and when
 * its program's icon and name are loaded.
 */
#ifndef RUNVO_ROWS_H
#define RUNVO_ROWS_H

#include "platform/platform.h"

/* Messages the chooser posts itself: load the rows in view; lay the rows
   out anew after a move to a monitor of another DPI. */
enum { WM_APP_LOADROWS = WM_APP + 1, WM_APP_NEWDPI, ROWS_TIMER = 1 };

/* The rows' height at the list's DPI, for its font and its icons. */
void SetRowHeight(HWND hList);

/* Draws one row, as WM_DRAWITEM asks; a row in view whose icon and name are
   not loaded yet has them loaded soon after (WM_APP_LOADROWS). */
void DrawRow(HWND hDlg, const DRAWITEMSTRUCT *item);

/* Loads the icons and names of the rows in view, until it is done or the
   user's input is waiting, when it goes on on the ROWS_TIMER. */
void LoadVisibleRows(HWND hDlg, HWND hList);

/* Frees a row's information, as WM_DELETEITEM asks when the list lets the
   row go. */
void FreeRow(const DELETEITEMSTRUCT *item);

/* The name a row shows (the name given to type-ahead): context is the
   list. */
void ShownRowName(void *context, int row, WCHAR *name, size_t size);

#endif /* RUNVO_ROWS_H */
