/*
 * Identifiers of the chooser dialog's controls and of the menu commands,
 * shared by the resource script and the procedures.
 */
#ifndef RUNVO_RESOURCE_H
#define RUNVO_RESOURCE_H

#define IDC_CMDLINE 10
#define IDC_PROGLIST 11
#define IDC_HELPBTN 12

#define IDM_EXIT 1
#define IDM_ABOUT 2

#endif /* RUNVO_RESOURCE_H */
