/*
 * The chooser dialog, IDD_RUNVO: a Unicode dialog (the tail shows as it is)
 * whose initialisation value is its state (a Chooser *, ui/chooser.h, with
 * the tail set), which it keeps until it ends. On OK it leaves a double
 * quote and the chosen entry in the command text and ends with 1;
 * otherwise with 0.
 */
#ifndef RUNVO_SELECTDLG_H
#define RUNVO_SELECTDLG_H

#include "platform/win32.h"

INT_PTR CALLBACK SelectDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

#endif /* RUNVO_SELECTDLG_H */
