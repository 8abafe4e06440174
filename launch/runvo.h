/*
 * The launcher's chief header: the texts and the window that its parts share
 * for the whole process.
 */
#ifndef RUNVO_RUNVO_H
#define RUNVO_RUNVO_H

#include "launch/launch.h"
#include "launch/sizes.h"
#include "platform/win32.h"

/* The command that starts the chosen program: a double quote, the program,
   and what follows it. All zero at start-up. */
extern WCHAR g_szCommand[COMMAND_SIZE];

/* What the status window paints. */
extern WCHAR g_szStatus[STATUS_SIZE];

/* The status window: owner of the dialog and of message boxes; NULL until
   the interactive launch creates it. */
extern HWND g_hwndMain;

/* What a start finds (the command built, the file found, its shortcut's
   fields): one start's worth, kept out of the stack, whichever way the
   launch goes. */
extern StartTexts g_startTexts;

#endif /* RUNVO_RUNVO_H */
