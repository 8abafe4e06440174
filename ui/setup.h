/*
 * Set-up and its undo as the user asks for them: from the chooser's menu,
 * or as the whole tail --setup or --remove. Each tells in a message box what
 * it did, where Runvo is found now, and how to undo it.
 */
#ifndef RUNVO_UI_SETUP_H
#define RUNVO_UI_SETUP_H

#include "launch/setup.h"
#include "platform/win32.h"

/* Does the action for this program, and shows what it did, owned by owner
   (NULL for none). Returns the exit code: 0, or 1 where something could not
   be done. */
int RunSetUp(HWND owner, SetUpAction action);

/* How many of the places point at this program now: PLACE_COUNT when it
   is set up, 0 when nothing of it is. */
int SetUpPlacesHere(void);

/* Started without a document or an option: where the user's Open with key
   does not name this program, asks whether to set it up, and does it on
   Yes (as the menu's Add does). Nothing is kept of the answer. */
void OfferSetUp(void);

#endif /* RUNVO_UI_SETUP_H */
