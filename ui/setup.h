/*
 * Set-up and its undo as the user asks for them: from the chooser's system
 * menu, or as the whole tail --setup or --remove. Each tells in a message
 * box what it did, where Runvo is found now, and how to undo it.
 */
#ifndef RUNVO_UI_SETUP_H
#define RUNVO_UI_SETUP_H

#include "launch/setup.h"
#include "platform/platform.h"

/* Does the action for this program, and shows what it did, owned by owner
   (NULL for none). Returns the exit code: 0, or 1 where something could not
   be done. */
int RunSetUp(HWND owner, SetUpAction action);

/* Appends the items of set-up, removal and editing the list to a system
   menu. */
void AddSetUpItems(HMENU menu);

/* Greys the item of set-up or of removal where it does not apply: all is in
   place for this program already, or nothing of it is. */
void EnableSetUpItems(HMENU menu);

#endif /* RUNVO_UI_SETUP_H */
