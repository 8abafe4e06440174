/*
 * A row's menu in the chooser: right-click, Shift+F10 or the Menu key. Its
 * items, each with its access key: Open (as Enter, the default), Always use
 * for .X files (as Ctrl+Enter; grey where the tail has no one type), Remove
 * from the list (as Delete), Open file location (Explorer with the
 * program's file selected; grey where it is not found), and Add a program
 * (as Insert).
 */
#ifndef RUNVO_ROWMENU_H
#define RUNVO_ROWMENU_H

#include "ui/chooser.h"

/* Opens the menu of the selected row: at the pointer (screen
   coordinates), or beside the row where the keyboard asked (x and y -1). */
void ShowRowMenu(Chooser *c, int x, int y);

/* In the dark theme the chooser draws the menu's items itself (no
   documented call makes Windows draw a menu dark): their size, as
   WM_MEASUREITEM asks, and each item, as WM_DRAWITEM asks. */
bool MeasureMenuItem(const Chooser *c, MEASUREITEMSTRUCT *item);
void DrawMenuItem(const Chooser *c, const DRAWITEMSTRUCT *item);

#endif /* RUNVO_ROWMENU_H */
