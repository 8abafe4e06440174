/*
 * The host's stand-ins for the platform's operations (platform/native.cpp),
 * which the portable core's tests, benchmarks and fuzzers are built with:
 * the executable's path that the launcher should believe is its own, and
 * what the start operations find and meet, as a test sets them up. Also the
 * platform's names of the error numbers, for the tests to say them so.
 */
#ifndef RUNVO_NATIVE_H
#define RUNVO_NATIVE_H

#include "platform/platform.h"

/* Says what the launcher's own path is from now on; NULL restores the
   process's real path. */
void NativeSetModulePath(const char *path);

/* The platform's names of the error numbers that the core tells apart. */
const SystemError ERROR_SUCCESS = SYSTEM_SUCCESS, ERROR_FILE_NOT_FOUND = SYSTEM_FILE_NOT_FOUND,
                  ERROR_INVALID_PARAMETER = SYSTEM_INVALID_PARAMETER,
                  ERROR_ELEVATION_REQUIRED = SYSTEM_ELEVATION_REQUIRED,
                  ERROR_CANCELLED = SYSTEM_CANCELLED, ERROR_ACCESS_DENIED = 5;

/* A name that FindProgram finds, and the file it finds. */
struct NativeFile {
    const wchar_t *name, *file;
};

/* An environment variable and its value. */
struct NativeVariable {
    const wchar_t *name, *value;
};

/* A shortcut as ReadShortcut reads it (icon NULL: none). */
struct NativeShortcut {
    const wchar_t *lnk, *target, *args, *dir, *icon = NULL;
};

/* A file's name and its short name: NULL where it has none (the file is
   not there, or may not be read). A file of no row is its own short name,
   as Windows gives where 8.3 names are off or the name is short already. */
struct NativeShortName {
    const wchar_t *name, *shortName;
};

/* What the start operations find and do, as a test sets it up (each list
   ends with a row whose first field is NULL), and what they were asked: the
   command started (by the interpreter's, when it runs a batch file) and in
   which folder, and the file elevated with its parameters. A start or an
   elevation fails with its error unless that is 0. */
struct NativeLaunch {
    const NativeFile *files = NULL;
    const NativeVariable *variables = NULL;
    SystemError startError = 0, elevateError = 0;
    const NativeShortcut *shortcuts = NULL;
    const NativeShortName *shortNames = NULL;
    const wchar_t *command = NULL, *elevated = NULL, *parameters = NULL; /* none */
    const wchar_t *dir = NULL; /* the folder a start or an elevation was given */
};
extern NativeLaunch g_nativeLaunch;

#endif /* RUNVO_NATIVE_H */
