/*
 * The sizes of the launcher's texts, each one name, in characters (UTF-16
 * code units; bytes of a list file in the system code page) with the
 * terminator. Every fixed buffer is one of these.
 */
#ifndef RUNVO_SIZES_H
#define RUNVO_SIZES_H

enum {
    /* A file's full path (the platform's MAX_PATH), and so one line of the
       list file, whose lines name programs: 259 and a terminator. */
    PATH_SIZE = 260,
    /* The command text: a quote, the chosen entry, and the quick-launch
       command; the chooser's default text is held in one as well. */
    COMMAND_SIZE = 264,
    /* The platform's longest command line, and its longest environment
       variable. */
    COMMAND_LINE_SIZE = 32767,
    /* The longest line the command interpreter reads. */
    INTERPRETER_LINE_SIZE = 8192,
    /* A command of a program of the system's (Notepad, Explorer) with a
       path: both quoted, the blank and an option between. */
    SYSTEM_COMMAND_SIZE = 2 * PATH_SIZE + 16,
    /* The status text: the error's first line (ERROR_LINE_SIZE), the
       system's words for the error and the file found; or the starting
       text with the file found. */
    STATUS_SIZE = 1200,
    ERROR_LINE_SIZE = 300,
    /* The name of an environment variable that an entry names. */
    VARIABLE_NAME_SIZE = 256,
    /* PATHEXT: the extensions of the files the command prompt runs. */
    PATHEXT_SIZE = 256,
    /* The name a row of the chooser shows, and what a screen reader says of
       a row: its digit, its name or its entry, and its arguments or "not
       found". */
    ROW_NAME_SIZE = 128,
    SPOKEN_ROW_SIZE = 512,
    /* The system's own words for an error number. */
    SYSTEM_WORDS_SIZE = 512,
    /* The name of a place that set-up writes, as the note names it. */
    PLACE_NAME_SIZE = 32,
    /* A registry key that names a program: App Paths' key and its name. */
    REGISTRY_KEY_SIZE = 128 + PATH_SIZE,
    /* The key of a text of a file's version information. */
    VERSION_KEY_SIZE = 64,
    /* An installer's product or component code, {8-4-4-4-12}. */
    INSTALLER_CODE_SIZE = 39,
    /* A drive's root: "C:\\". */
    DRIVE_ROOT_SIZE = 4,
    /* One character in bytes of the system code page (at most 4 of them),
       with room to spare. */
    ANSI_CHARACTER_SIZE = 16,
    /* A security identifier in its text form (S-1-5-21-...): the longest,
       of 15 parts, and room to spare. */
    SID_TEXT_SIZE = 192,
    /* An item of the chooser's menu. */
    MENU_ITEM_SIZE = 128,
    /* A message box's text of Runvo's own words and the system's. */
    MESSAGE_SIZE = 1024,
    /* What set-up or removal tells: its longest note, both places' paths
       and the system's words for both places' errors among it. */
    SETUP_NOTE_SIZE = 4096
};

#endif /* RUNVO_SIZES_H */
