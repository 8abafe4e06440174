/*
 * The chooser's state, which its dialog owns (DWLP_USER) from its
 * initialisation to its end: what the rooms of the chooser (its rows, its
 * menus, its changes to the list) share.
 */
#ifndef RUNVO_CHOOSER_H
#define RUNVO_CHOOSER_H

#include "launch/tail.h"
#include "platform/win32.h"
#include "ui/look.h"
#include "ui/rows.h"

struct Chooser {
    HWND dlg, list;
    const Tail *tail;
    FileStamp listStamp; /* the list file as last read */
    ChooserLook look;    /* in the theme Windows asks for */
    Rows rows;
    WNDPROC listProc; /* the list box's own, under the chooser's keys */
    int placesHere;   /* set-up's places of this copy, as last read; -1: to be read */
};

/* The chooser of the dialog. */
Chooser *ChooserOf(HWND hDlg);

/* Fills the rows anew from the list file, as it is now, and selects row
   (-1: as the chooser opens, by the first line's rules and default; past
   the last: the last). */
void ShowListAgain(Chooser *c, int row);

#endif /* RUNVO_CHOOSER_H */
