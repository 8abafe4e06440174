/*
 * Starting a list entry: its program's file, found by the name as it is
 * written or else as its variables expand (a folder may be called 50%off%);
 * its command line, with the documents in their place; a batch file run by
 * the command interpreter, each argument as data; and a program that asks
 * for administrator rights started through the shell's elevation prompt,
 * the same file with the same arguments.
 */
#include "launch/launch.h"

#include "platform/platform.h"

#include <wchar.h>

static wchar_t s_szStarted[STARTED_SIZE];
static wchar_t s_szInterpreted[INTERPRETER_SIZE];

StartResult StartEntry(const wchar_t *entry, const wchar_t *tail, TailForm form, bool wait,
                       const wchar_t **command)
{
    wchar_t written[COMMAND_SIZE], expanded[COMMAND_SIZE], found[FILE_SIZE];
    const wchar_t *args;
    *command = NULL;
    if (!SplitEntry(entry, written, COMMAND_SIZE, &args))
        return START_UNCLOSED;
    TextBuf out;
    ExpandEntry(OutStart(&out, expanded, COMMAND_SIZE), written, GetVariable, NULL, NULL);
    /* As written first, then as expanded, and so shown when neither is. */
    const wchar_t *name = expanded;
    bool exists = false;
    if (out.cut || wcscmp(expanded, written) == 0 || (exists = FindProgram(written, found)))
        name = written;
    if (!exists)
        exists = FindProgram(name, found);
    /* A relative path names a file in the launcher's folder: the program
       gets that file's path, which it would otherwise take from the
       current folder. */
    const wchar_t *argv0 = exists && !NamesNoFolder(name) && !IsFullPath(name) ? found : name;
    OutStart(&out, s_szStarted, STARTED_SIZE);
    if (!BuildCommand(&out, argv0, args, tail, form, GetVariable))
        return START_TOO_LONG;
    *command = s_szStarted;
    if (!exists) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return START_REFUSED;
    }
    if (IsBatchFile(found)) {
        OutStart(&out, s_szInterpreted, INTERPRETER_SIZE);
        if (BatchCommand(&out, found, CommandLineTail(s_szStarted)))
            return StartInterpreter(s_szInterpreted, wait) ? START_OK : START_REFUSED;
        SetLastError(ERROR_INVALID_PARAMETER); /* a line break in an argument */
        return out.cut ? START_TOO_LONG : START_REFUSED;
    }
    if (StartProgram(found, s_szStarted, wait))
        return START_OK;
    if (GetLastError() != ERROR_ELEVATION_REQUIRED)
        return START_REFUSED;
    if (ElevateProgram(found, CommandLineTail(s_szStarted)))
        return START_OK;
    return GetLastError() == ERROR_CANCELLED ? START_CANCELLED : START_REFUSED;
}
