/*
 * The interactive launch, the second phase of wWinMain: the chooser, then
 * the launch of the chosen entry with the tail.
 */
#ifndef RUNVO_INTERACTIVE_H
#define RUNVO_INTERACTIVE_H

#include "launch/launch.h"
#include "launch/tail.h"
#include "platform/win32.h"

/* Runs the chooser and starts what the user chooses. Returns the exit
   code. */
int RunInteractive(HINSTANCE hInstance, HINSTANCE hPrevInstance, const Tail *tail, int nCmdShow);

/* Shows "Cmd line too long", owned by the status window once there is one
   (quick launch has none yet); gives the exit code 1. */
int ShowCommandTooLong(void);

/* A start that ends the launch, and its exit code: a program that started
   is given sleepMs before the launcher ends (0), as WinExec's callers
   always gave it; one the user declined to elevate ends it at once (0); a
   command over the limit shows "Cmd line too long" (1). False for a start
   that was refused, which does not end the launch. */
bool LaunchEndsWith(StartResult r, DWORD sleepMs, int *exitCode);

#endif /* RUNVO_INTERACTIVE_H */
