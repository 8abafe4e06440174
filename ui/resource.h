/*
 * Identifiers of the program's icon, of the chooser dialog's controls and
 * of the menu commands, shared by the resource script and the procedures.
 */
#ifndef RUNVO_RESOURCE_H
#define RUNVO_RESOURCE_H

/* The program's icon: its first icon group, which Explorer, shortcuts and
   the taskbar show. */
#define IDI_RUNVO 1

#define IDC_CMDLINE 10
#define IDC_PROGLIST 11
#define IDC_HELPBTN 12

#define IDM_EXIT 1
#define IDM_ABOUT 2

/* The chooser's system menu: commands of its own are below 0xF000 and keep
   their low four bits clear, which the system uses. */
#define IDM_SETUP 0x0110
#define IDM_REMOVE 0x0120
#define IDM_EDITLIST 0x0130
#define IDM_ADDPROGRAM 0x0140

/* A row's menu, beside Open (IDOK). */
#define IDM_ROW_ALWAYS 0x0150
#define IDM_ROW_REMOVE 0x0160
#define IDM_ROW_LOCATION 0x0170

#endif /* RUNVO_RESOURCE_H */
