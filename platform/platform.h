/*
 * What the launcher's portable core asks of the platform: the executable's
 * own path and its list file, text in the system code page, the names a
 * program is known by and where it is found, starting a program, the
 * command interpreter and the elevation prompt, shortcuts, and Runvo's own
 * texts. Portable types only: this header sees no <windows.h>, nor does any
 * file of the core (tests/core_headers.sh checks it). Windows provides these
 * in the files of platform/, which map the core's names to the platform's;
 * outside Windows, platform/native.cpp stands in for them as the tests set
 * them up (platform/native.h).
 *
 * Texts that can hold a document's name are UTF-16 on Windows (wchar_t).
 */
#ifndef RUNVO_PLATFORM_H
#define RUNVO_PLATFORM_H

#include "launch/search.h"
#include "launch/shortcut.h"
#include "launch/sizes.h"
#include "launch/texts.h"

#include <stddef.h>
#include <stdio.h>

/* A system error number, as the platform's functions report it (0: none);
   the ones the core tells apart, by names of its own. */
typedef unsigned long SystemError;
const SystemError SYSTEM_SUCCESS = 0, SYSTEM_FILE_NOT_FOUND = 2, SYSTEM_INVALID_PARAMETER = 87,
                  SYSTEM_ELEVATION_REQUIRED = 740, SYSTEM_CANCELLED = 1223;

/* A file's name: UTF-16 on Windows, so that a folder of any name holds the
   launcher and its list; the host's bytes elsewhere. */
#ifdef _WIN32
typedef wchar_t PathChar;
#else
typedef char PathChar;
#endif

/* The executable's full path into path (size PathChars): its length, size
   when it was cut short, 0 when there is none. */
size_t GetModulePath(PathChar *path, size_t size);

/* The file opened for reading its bytes, with no sharing restriction; NULL
   when it cannot be. */
FILE *OpenToRead(const PathChar *path);

/* Text in the system code page to UTF-16: at most size characters. Returns
   the number of characters. */
size_t DecodeAnsi(const char *bytes, size_t n, wchar_t *units, size_t size);

/* UTF-16 text to bytes of the system code page, at most size: their
   number; 0 where the code page does not hold a character of it as it is
   (nothing is fitted to a look-alike). */
size_t EncodeAnsi(const wchar_t *units, size_t n, char *bytes, size_t size);

/* A character in upper case, by the system's own table (any script),
   which loads no USER32. */
wchar_t UpperCase(wchar_t c);

/* Whether a file or folder of this name exists. */
bool PathExists(const wchar_t *name);

/* A text of Runvo's own, by its number (launch/texts.h): *text points at its
   units, which are not terminated; gives their number, 0 for none. */
size_t LoadText(StringId id, const wchar_t **text);

/* The file of a program that an entry names (launch/search.h says where it
   is looked for), into found (PATH_SIZE characters); on Windows, also a name
   the Run box knows from App Paths. noWaiting: the search stops where
   looking may wait (WOULD_WAIT), as the chooser's rows search. */
Found FindProgram(const wchar_t *name, wchar_t *found, bool noWaiting = false);

/* A file found named as users see it (PATH_SIZE characters, in place): under
   the system folder, not Sysnative, the 32-bit launcher's way past WOW64
   file system redirection. */
void ShowAsUsersSee(wchar_t *file);

/* Whether a program that reads the ANSI command line splits and escapes
   the name as the UTF-16 one, and matches no other files with it: the
   best-fit form of none of its characters beyond ASCII holds a quote, a
   backslash, a blank, a control character or a wildcard
   (launch/arguments.h says which bytes count). */
bool AnsiKeepsArguments(const wchar_t *name);

/* The file's short (8.3) name into shortName (PATH_SIZE characters); false
   when there is none. */
bool ShortName(const wchar_t *name, wchar_t *shortName);

/* An environment variable of the launcher's, as VariableFn says. */
size_t GetVariable(const wchar_t *name, wchar_t *value, size_t size);

/* Starts the file with the command line (the program shown normally) and
   the launcher's environment, in the folder dir (NULL: the launcher's
   working folder); wait: until the program is ready for input or 30 s have
   passed. Returns 0, or the system's error number when the start is
   refused. */
SystemError StartProgram(const wchar_t *file, wchar_t *command, bool wait, const wchar_t *dir);

/* The same for the command interpreter of the machine's own kind (the
   64-bit one on 64-bit Windows), whose own search for commands then leaves
   the current folder out. */
SystemError StartInterpreter(wchar_t *command, bool wait, const wchar_t *dir);

/* Starts the file at its full path with the parameters, in the folder dir
   (NULL: the launcher's working folder), through the shell's elevation
   prompt. Returns 0, or the error number: SYSTEM_CANCELLED when the user
   declined. */
SystemError ElevateProgram(const wchar_t *file, const wchar_t *parameters, const wchar_t *dir);

/* A shortcut (.lnk), read by the shell's own shortcut object: its target's
   path (PATH_SIZE characters; "" for a target that is no file, such as a
   Store app, and for an installer's advertised shortcut whose product is
   not installed: the installer's own record names its program), its
   arguments whole (COMMAND_LINE_SIZE; NULL: not asked for), its Start in
   folder as written (PATH_SIZE, "" for none) and the file its icon is
   taken from, as written (PATH_SIZE, "" for none; NULL: not asked for). */
ShortcutRead ReadShortcut(const wchar_t *lnk, wchar_t *target, wchar_t *args, wchar_t *dir,
                          wchar_t *icon = NULL);

#endif /* RUNVO_PLATFORM_H */
