/*
 * The status window: the launcher's main window, which shows what is being
 * started and why a start was refused.
 */
#ifndef RUNVO_MAINWND_H
#define RUNVO_MAINWND_H

#include "platform/win32.h"

/* Registers the window class "Runvo", whose procedure is MainWndProc and
   whose menu is MENU. */
bool RegisterMainClass(HINSTANCE hInstance);

/* Moves the hidden window to the monitor the user works on, centred in its
   work area at its DPI (ui/placement.h): the chooser it owns opens there,
   and it shows there later. */
void MoveToUsersMonitor(HWND hwnd);

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

#endif /* RUNVO_MAINWND_H */
