/*
 * Adding a program to the list from the chooser: chosen in the system's
 * Open dialog (the common file dialog, loaded then), or dropped on the
 * chooser from Explorer or the desktop (the shell loaded when a drop
 * arrives). A program's file or a shortcut to one is added as the list's
 * last line, written so that the list reads it back as that file; one that
 * is an entry already is not added twice, its row is selected; a document
 * or a folder is named and not added.
 */
#ifndef RUNVO_ADDPROGRAM_H
#define RUNVO_ADDPROGRAM_H

#include "ui/chooser.h"

#include <shellapi.h>

/* Lets the user choose a program in the system's Open dialog, in the Start
   menu's Programs folder, and adds it. */
void AddFromDialog(Chooser *c);

/* Adds the programs and shortcuts dropped on the chooser; names the
   documents and folders among them, which are not added. */
void AddDropped(Chooser *c, HDROP drop);

#endif /* RUNVO_ADDPROGRAM_H */
