/*
 * Runvo's own icon on its windows: in the title bar, and on the taskbar
 * button and in Alt+Tab, at the DPI of the monitor each window is on.
 */
#ifndef RUNVO_WINDOWICON_H
#define RUNVO_WINDOWICON_H

#include "platform/win32.h"

/* Sets the program's icon on the window, small and large, at the DPI of its
   monitor, as it is opened and again when it moves to a monitor of another
   DPI; the icons it set before are destroyed. */
void SetProgramIcon(HWND hwnd);

#endif /* RUNVO_WINDOWICON_H */
