/*
 * The chooser's menu: the items that Runvo adds to its title bar's menu
 * (Alt+Space), their texts and access keys (D, V, E and P: none of the
 * letters of the system's own items, Restore, Move, Size, Minimize,
 * Maximize and Close, which some systems list greyed, nor Wine's About
 * Wine), which of them apply, and what each does.
 */
#ifndef RUNVO_MENU_H
#define RUNVO_MENU_H

#include "ui/chooser.h"

/* Before the system menu opens: appends the items the first time (the
   chooser's start does not wait for them), and greys the item of set-up or
   of removal where it does not apply: all is in place for this program
   already, or nothing of it is. */
void UpdateChooserItems(Chooser *c, HMENU menu);

/* Does what the item with this command stands for, owned by the chooser;
   false when the command is none of the items. */
bool DoChooserItem(Chooser *c, UINT command);

#endif /* RUNVO_MENU_H */
