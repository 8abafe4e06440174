/*
 * The DPI that the launcher's windows are drawn at: the DPI of the monitor
 * each is on, for a program aware of each monitor's (Windows 10 1607 and
 * later say it; earlier ones have one DPI for the whole system).
 */
#ifndef RUNVO_DPI_H
#define RUNVO_DPI_H

#include "platform/win32.h"

#ifndef WM_DPICHANGED /* Windows 8.1's, not in every SDK's headers */
#define WM_DPICHANGED 0x02E0
#endif

/* The DPI of the monitor the window is on (the system's where Windows
   cannot say). */
UINT WindowDpi(HWND hwnd);

/* The system's DPI: the stock fonts are drawn at it. */
UINT SystemDpi(void);

/* Pixels of a design at 96 DPI (100 %), at the DPI. */
int AtDpi(int pixels, UINT dpi);

/* A small icon's size at a DPI (a row's, a title bar's), and a large
   one's (Alt+Tab's). */
int SmallIconSize(UINT dpi);
int LargeIconSize(UINT dpi);

#endif /* RUNVO_DPI_H */
