/*
 * The chooser's list as a screen reader learns of it: its own name, and
 * each row's name as the row shows it.
 */
#ifndef RUNVO_ACCESSIBLE_H
#define RUNVO_ACCESSIBLE_H

#include "platform/win32.h"

/* Answers WM_GETOBJECT for the list's client object with an object that
   names the list and its rows, into *result; false for any other object, or
   where none can be made: the list's own procedure answers then. */
bool AnswerGetObject(HWND hList, WPARAM wParam, LPARAM lParam, LRESULT *result);

#endif /* RUNVO_ACCESSIBLE_H */
