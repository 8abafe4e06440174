/*
 * The texts that Runvo shows in its own words, in one place, each with its
 * number, which the core owns: the resource script (ui/runvo.rc) makes its
 * string table of them, in UTF-16, and the launcher loads each by its
 * number when it shows it (platform/platform.h, LoadText).
 * %1 to %9 stand for what PutOwnText inserts: a path, a place, the system's
 * words. Lines are kept short, as the status window does not wrap them.
 * The texts of the launcher's first version ("Cmd line too long", "Error %d
 * running %s", "Help", ...) stay as they were, in the code.
 */
#ifndef RUNVO_TEXTS_H
#define RUNVO_TEXTS_H

/* A double quote inside a text, as both C and the resource compiler read
   it (the resource compiler takes \" only with a warning). */
#define QUOTE_MARK "\042"

/* Each text: its name, its number, and its words (UTF-8). */
#define RUNVO_TEXTS(X)                                                                             \
    X(IDS_MENU_ADD, 100, "A&dd Runvo to Send To and Open with")                                    \
    X(IDS_MENU_REMOVE, 101, "Remo&ve Runvo from Send To and Open with")                            \
    X(IDS_MENU_EDIT_LIST, 102, "&Edit the program list")                                           \
    X(IDS_MENU_ADD_PROGRAM, 103, "Add a &program...")                                              \
    X(IDS_ROW_OPEN, 104, "&Open")                                                                  \
    X(IDS_ROW_ALWAYS, 105, "&Always use for %1 files")                                             \
    X(IDS_ROW_ALWAYS_NONE, 106, "&Always use for this type of file")                               \
    X(IDS_ROW_REMOVE, 107, "&Remove from the list")                                                \
    X(IDS_ROW_LOCATION, 108, "Open file &location")                                                \
    X(IDS_OFFER_SETUP, 109,                                                                        \
      "Add Runvo to Send To and Open with?\n\n"                                                    \
      "Then a file's menu in Explorer sends it to Runvo (Send to, or Open with), and Runvo asks "  \
      "which program opens it. It is for you alone and needs no administrator rights; " QUOTE_MARK \
      "Remove Runvo from Send To and Open with" QUOTE_MARK                                         \
      " in the menu of the chooser's title bar "                                                   \
      "(Alt+Space, then V) takes it away again.")                                                  \
    X(IDS_SEND_TO, 110, "Send To")                                                                 \
    X(IDS_OPEN_WITH, 111, "Open with")                                                             \
    X(IDS_ADDED, 120, "Runvo is in Send To and Open with now, for you alone:\n%1")                 \
    X(IDS_WHERE_TO_FIND, 121,                                                                      \
      "Send To: right-click a file, choose Send to, then Runvo. On Windows 11, hold Shift "        \
      "as you right-click, or choose Show more options first.\nOpen with: right-click a "          \
      "file, choose Open with, then Choose another app, Runvo and Just once (on Windows "          \
      "10: More apps, Runvo and OK).\n\nTo undo it, choose " QUOTE_MARK                            \
      "Remove Runvo from Send To and "                                                             \
      "Open with" QUOTE_MARK                                                                       \
      " in the menu of the chooser's title bar (Alt+Space, then V), or run " QUOTE_MARK            \
      "%1" QUOTE_MARK " --remove.")                                                                \
    X(IDS_NOT_ADDED, 122,                                                                          \
      "Runvo was added to Send To and Open with only in part, or not at all:\n%1\n\nWhat "         \
      "stopped it is said below. Once that is dealt with, choose Add again.")                      \
    X(IDS_REMOVED, 123, "Runvo is no longer in Send To and Open with:\n%1")                        \
    X(IDS_NOT_REMOVED, 124,                                                                        \
      "Runvo was removed from Send To and Open with only in part, or not at "                      \
      "all:\n%1\n\nWhat stopped it is said below. Once that is dealt with, choose Remove "         \
      "again.")                                                                                    \
    X(IDS_NOTHING_REMOVED, 125,                                                                    \
      "Nothing was removed: this copy of Runvo was not in Send To or Open with:\n%1")              \
    X(IDS_REFUSED_PERCENT, 126,                                                                    \
      "Runvo was not added to Send To and Open with:\n%1\n\n"                                      \
      "The path of this copy holds a %, which Windows would take for a placeholder in the "        \
      "Open with command, and it has no short form without one. Move Runvo into a folder whose "   \
      "path has no % in it, start it from there and choose Add again.")                            \
    X(IDS_REFUSED_TEMPORARY, 127,                                                                  \
      "Runvo was not added to Send To and Open with: it runs from a temporary folder, which "      \
      "Windows empties from time to time:\n%1\n\n"                                                 \
      "Extract Runvo into a folder of your own first (right-click the zip, Extract All), start "   \
      "it from there and choose Add again.")                                                       \
    X(IDS_PLACE_FAILED, 130, "%1 could not be changed. Windows says: %2")                          \
    X(IDS_PLACE_REPLACED, 131, "%1 started another copy of Runvo, %2. It starts this copy now.")   \
    X(IDS_PLACE_LEFT, 132, "%1 starts another copy of Runvo, %2. It was left as it is.")           \
    X(IDS_PLACE_REPLACED_MOVED, 133,                                                               \
      "%1 started a copy of Runvo that is no longer there, %2. It starts this copy now.")          \
    X(IDS_PLACE_MOVED_REMOVED, 134,                                                                \
      "%1 started a copy of Runvo that is no longer there, %2. It was removed too.")               \
    X(IDS_PLACE_OTHER_LEFT, 135, "%1 starts another program, %2. It was left as it is.")           \
    X(IDS_SEND_TO_OTHER, 136,                                                                      \
      "Send To holds a Runvo.lnk that does not start Runvo: %2. Runvo left it as it is. Rename "   \
      "or delete it in Send To (type shell:sendto in Explorer's address bar), then choose Add "    \
      "again.")                                                                                    \
    X(IDS_OPEN_WITH_OTHER, 137,                                                                    \
      "Open with already knows another program by this copy's file name: %2. Runvo left it as "    \
      "it is. Give this copy a name of its own (such as runvo.exe), then choose Add again.")       \
    X(IDS_SEND_TO_YOURS, 138,                                                                      \
      "Send To holds a Runvo.lnk of your own, with options or another Start in folder: %2. "       \
      "Runvo left it as it is. To have set-up's shortcut as well, rename yours in Send To (type "  \
      "shell:sendto in Explorer's address bar), then choose Add again.")                           \
    X(IDS_SEND_TO_YOURS_LEFT, 139,                                                                 \
      "Send To holds a Runvo.lnk of your own, with options or another Start in folder: %2. It "    \
      "was left as it is.")                                                                        \
    X(IDS_OTHERS_MAY_WRITE, 141,                                                                   \
      "Other people who use this PC can change this:\n%1\n\n"                                      \
      "They could replace Runvo or its program list there with a program of their own, which "     \
      "would then run as you whenever you use Send To or Open with. A folder of your own keeps "   \
      "them out, such as:\n%2\n\n"                                                                 \
      "Add Runvo to Send To and Open with from this folder anyway?")                               \
    X(IDS_EDIT_LIST_FAILED, 140,                                                                   \
      "Runvo could not open the program list in Notepad:\n%1\n\nWindows says: %2\n\nOpen "         \
      "that file in another editor instead.")                                                      \
    X(IDS_FILE, 150, "File: %1")                                                                   \
    X(IDS_UNCLOSED, 151,                                                                           \
      "Runvo started nothing: this entry opens a quote\n"                                          \
      "that it does not close. Close it in the program list:\n%1")                                 \
    X(IDS_NO_PROGRAM, 152,                                                                         \
      "Runvo started nothing: this shortcut opens a document,\n"                                   \
      "a folder or an app of the Store, not a program.\n"                                          \
      "List the program itself instead:\n%1")                                                      \
    X(IDS_AMBIGUOUS_QUOTES, 153,                                                                   \
      "Runvo started nothing: programs would read the quotes\n"                                    \
      "of this entry's arguments in two ways. Write them\n"                                        \
      "with no two quotes together inside quotes:\n%1")                                            \
    X(IDS_SHORTCUT_QUOTES, 154,                                                                    \
      "Runvo started nothing: programs would read the quotes\n"                                    \
      "of this shortcut's arguments in two ways. Change its\n"                                     \
      "Target, or list the program itself instead:\n%1")                                           \
    X(IDS_ANSI_NAME, 155,                                                                          \
      "Runvo started nothing: some programs would read this\n"                                     \
      "document's name as another name, or as several, and\n"                                      \
      "it has no short name to pass instead. Rename it, or\n"                                      \
      "open it from the program itself:\n%1")                                                      \
    X(IDS_BATCH_ARGUMENT, 156,                                                                     \
      "A batch file cannot take an argument with a quote\n"                                        \
      "or a line break whole: rename the document, or take\n"                                      \
      "the quote out of the entry's own arguments.")                                               \
    X(IDS_PROGRAM_LIST, 160, "Programs")                                                           \
    X(IDS_BROWSE_TITLE, 170, "Add a program to Runvo's list")                                      \
    X(IDS_BROWSE_FILTER, 171,                                                                      \
      "Programs and shortcuts (*.exe, *.lnk, *.bat, *.cmd, *.com)|*.exe;*.lnk;*.bat;*.cmd;*.com|"  \
      "All files (*.*)|*.*|")                                                                      \
    X(IDS_REMOVE_QUESTION, 172, "Remove %1 from the list?")                                        \
    X(IDS_REMOVE_QUESTION_PIECES, 173,                                                             \
      "Remove %1 from the list?\n\n"                                                               \
      "Its line in the list is longer than Runvo reads at once, and shows as %2 rows: all of "     \
      "them go.")                                                                                  \
    X(IDS_LIST_CHANGED, 174,                                                                       \
      "The program list was changed since Runvo showed it, by Notepad or another program:\n%1\n\n" \
      "Runvo shows it as it is now, and changed nothing. Choose again.")                           \
    X(IDS_LIST_READ_ONLY, 175,                                                                     \
      "Runvo could not change the program list, because the file is read-only:\n%1\n\n"            \
      "The list was left as it was. To change it from Runvo, clear Read-only in the file's "       \
      "Properties, then try again.")                                                               \
    X(IDS_LIST_NOT_WRITTEN, 176,                                                                   \
      "Runvo could not change the program list, and left it as it was:\n%1\n\n"                    \
      "Windows says: %2\n\n"                                                                       \
      "If the list is in a folder that you may not change, such as Program Files, move Runvo and " \
      "its list into a folder of your own. If another program has the list open, close it and "    \
      "try again.")                                                                                \
    X(IDS_LIST_READS_OTHERWISE, 177,                                                               \
      "Runvo could not change the program list so that every other line stays as it is, and "      \
      "left it as it was:\n%1\n\n"                                                                 \
      "Make the change in Notepad instead (Edit the program list in the menu of the title bar).")  \
    X(IDS_ADD_TOO_LONG, 178,                                                                       \
      "Runvo could not add this program, because its path is longer than a line of the list may "  \
      "be:\n%1\n\n"                                                                                \
      "Move it to a folder with a shorter path, or add a shortcut to it instead.")                 \
    X(IDS_ADD_PERCENT, 179,                                                                        \
      "Runvo could not add this program, because its path holds a %, which the list would read "   \
      "as a variable, and it has no short form without one:\n%1\n\n"                               \
      "Rename the folder or the file without the %, then add it again.")                           \
    X(IDS_ADD_DOCUMENTS, 180,                                                                      \
      "Runvo adds programs and shortcuts to programs to its list, not documents or "               \
      "folders:\n%1\n\n"                                                                           \
      "To open a document with a program of the list, send it to Runvo (Send To, or Open with).")  \
    X(IDS_REMOVE_FIRST_LINE, 181,                                                                  \
      "This row is the end of the list's first line, which is longer than Runvo reads at once:\n"  \
      "%1\n\n"                                                                                     \
      "Runvo did not remove it, as that line holds the default. Mend the first line in Notepad "   \
      "(Edit the program list in the menu of the title bar).")                                     \
    X(IDS_ALWAYS_NO_TEXT, 182,                                                                     \
      "Runvo could not make %2 the program for %3 files: an earlier row, %4, begins with the "     \
      "same text, so a rule would always choose that row:\n%1\n\n"                                 \
      "Move this row above the other in Notepad (Edit the program list), then try again.")         \
    X(IDS_ALWAYS_LINE_FULL, 183,                                                                   \
      "Runvo could not make %2 the program for %3 files: the list's first line would be longer "   \
      "than Runvo reads at once (259 characters), or holds a | that is not a rule's:\n%1\n\n"      \
      "Shorten the first line in Notepad (Edit the program list), then try again.")                \
    X(IDS_STARTS_ANYWAY, 184, "The program starts now all the same.")                              \
    X(IDS_NOT_FOUND, 161, "not found")

#ifndef RC_INVOKED
enum StringId {
    IDS_NONE = 0, /* no text */
#define RUNVO_TEXT_ID(name, number, text) name = number,
    RUNVO_TEXTS(RUNVO_TEXT_ID)
#undef RUNVO_TEXT_ID
};
#endif

#endif /* RUNVO_TEXTS_H */
