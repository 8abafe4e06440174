/*
 * Starting a list entry with the tail: the program it names found, its
 * command built, the program started, and, where it asks for administrator
 * rights, started again through the shell's elevation prompt.
 */
#ifndef RUNVO_LAUNCH_H
#define RUNVO_LAUNCH_H

#include "launch/command.h"

enum StartResult {
    START_OK,
    START_CANCELLED, /* the user declined the elevation prompt */
    START_TOO_LONG,  /* over the platform's limits once expanded */
    /* Not started, for the launch to say why: */
    START_REFUSED, /* GetLastError() does */
    START_UNCLOSED /* the entry opens a quote it does not close */
};

/* Starts entry with the tail in the form given; wait: until the program is
   ready for input, as WinExec waits once USER32 is loaded. *command is the
   command line built for the program, or NULL when none was. */
StartResult StartEntry(const wchar_t *entry, const wchar_t *tail, TailForm form, bool wait,
                       const wchar_t **command);

#endif /* RUNVO_LAUNCH_H */
