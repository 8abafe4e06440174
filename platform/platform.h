/*
 * The platform layer: the one place that declares the Win32 operations the
 * launcher calls (KERNEL32, USER32 and GDI32; ADVAPI32 and SHELL32 on the
 * routes that need them), and the operations of its own that the launch of
 * an entry asks of it: finding a program's file, reading a variable,
 * starting a program, the command interpreter, or the elevation prompt.
 * Every other file includes this header rather than <windows.h>. Texts that
 * can hold a document's name use the UTF-16 forms; the rest the single-byte
 * ones.
 *
 * Outside Windows only the portable core is built, for its tests, benchmarks
 * and fuzzers. platform/native.cpp stands in for the executable's own path
 * and for the start operations there, as the tests set them up.
 *
 * File names: PathChar, GetModulePath and OpenToRead name the executable
 * and open the list file beside it; in UTF-16 on Windows, so that a folder
 * of any name holds them. DecodeAnsi reads the list file's lines that are
 * in the system code page.
 */
#ifndef RUNVO_PLATFORM_H
#define RUNVO_PLATFORM_H

#include "launch/search.h"
#include "launch/sizes.h"
#include "ui/texts.h"

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
/* USER32 and GDI32 are loaded on first use: each call must go through the
   function's stub, whose import slot starts out pointing at the loader. Called
   through the slot directly (dllimport), i686 ld drops the unreferenced stubs
   and leaves the slots 0, so the first USER32 call jumps to address 0. */
#define _USER32_
#define _GDI32_
#include <windows.h>

#ifndef RC_INVOKED /* the resource compiler needs only the constants */

#ifndef ERROR_ELEVATION_REQUIRED /* not in MinGW's headers */
#define ERROR_ELEVATION_REQUIRED 740L
#endif
#ifndef FILE_ATTRIBUTE_RECALL_ON_OPEN /* Windows 10's, not in every SDK's headers */
#define FILE_ATTRIBUTE_RECALL_ON_OPEN 0x00040000
#endif
#ifndef FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS
#define FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS 0x00400000
#endif

#include <stdio.h>

static_assert(PATH_SIZE == MAX_PATH, "a path's size is the platform's");

typedef WCHAR PathChar;

inline DWORD GetModulePath(PathChar *path, DWORD size)
{
    return GetModuleFileNameW(NULL, path, size);
}

inline FILE *OpenToRead(const PathChar *path)
{
    return _wfopen(path, L"rb");
}

/* Text in the system code page to UTF-16: at most size characters. Returns the
   number of characters. */
inline size_t DecodeAnsi(const char *bytes, size_t n, wchar_t *units, size_t size)
{
    int got = n ? MultiByteToWideChar(CP_ACP, 0, bytes, (int)n, units, (int)size) : 0;
    return got > 0 ? (size_t)got : 0;
}

/* Whether a file or folder of this name exists. */
inline bool PathExists(const WCHAR *name)
{
    return GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
}

/* When a file was last written, and its size: what tells that it was
   saved again. All 0 when there is no such file. */
struct FileStamp {
    FILETIME written;
    DWORD sizeLow, sizeHigh;
};

FileStamp FileStampOf(const WCHAR *path);
bool SameStamp(const FileStamp &a, const FileStamp &b);

/* A character in upper case, by the system's own table (any script). */
inline wchar_t UpperCase(wchar_t c)
{
    return (wchar_t) reinterpret_cast<ULONG_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>((ULONG_PTR)c)));
}

/* A function of a DLL that one route needs, loaded when it is taken (from
   the system folder, where the launcher's DLL search is narrowed); NULL
   when there is none (platform/delayload.cpp). */
void (*LateFunction(const char *dll, const char *function))(void);

/* A function of a DLL that one route needs, as its declaration types it. */
#define LATE(dll, function) reinterpret_cast<decltype(&function)>(LateFunction(dll, #function))

/* COM in this thread, for the shell's objects and accessibility's, set
   up once (platform/shell.cpp); false where it cannot be. */
bool ComReady(void);

/* The shell's view of a program's file (platform/shell.cpp): its icon at
   size x size pixels (NULL for none): a program's own first icon, the
   generic program icon where it has none, the shell's for other files; the
   generic program icon alone, for which no file is opened; and a text of
   its version information (FileDescription: the name Windows shows it by)
   into text (size characters; false for none). */
HICON ProgramIcon(const WCHAR *file, int size);
HICON GenericProgramIcon(int size);
bool VersionText(const WCHAR *file, const WCHAR *name, WCHAR *text, size_t size);

/* Makes the shortcut lnk to the program target, started in dir, with the
   program's icon (platform/shell.cpp). Returns 0 or the error. */
DWORD WriteShortcut(const WCHAR *lnk, const WCHAR *target, const WCHAR *dir);

/* The system's own words for an error number into words (size
   characters), its inserts naming insert; false when it has none
   (platform/words.cpp). */
bool SystemWords(DWORD error, const WCHAR *insert, WCHAR *words, size_t size);

/* The places that set-up writes (launch/setup.h; platform/setup.cpp),
   named after this program's file name (exeName): the program each starts
   now ("" for none), and whether it is foreign outright (on set-up, the
   machine's own key of this name is read too); writing one for the program
   at target, or deleting what set-up wrote there, returns 0 or the system's
   error. Then the shell is told that associations changed. */
struct SetUpState;
enum SetUpPlace : int;
enum SetUpAction : int;
void ReadSetUpPlaces(const WCHAR *exe, const WCHAR *exeName, SetUpAction action,
                     SetUpState *places);
DWORD WriteSetUpPlace(SetUpPlace place, const WCHAR *target, const WCHAR *exeName);
DWORD DeleteSetUpPlace(SetUpPlace place, const WCHAR *exeName);
void NotifyAssociationsChanged(void);

/* What set-up asks of files: whether two paths name one file, however
   each is spelt (its final path, or its number on its volume); whether a
   file is Runvo (its version information's ProductName and InternalName);
   whether this copy runs from a temporary folder (TEMP's or TMP's, long
   forms compared). */
bool SameFile(const WCHAR *a, const WCHAR *b);
bool IsRunvo(const WCHAR *path);
bool InTemporaryFolder(const WCHAR *exe);

#endif /* RC_INVOKED */

#else /* !_WIN32 */

#include <stddef.h>
#include <stdint.h>

typedef uint32_t DWORD;
typedef void *HMODULE;

/* As on Windows: copies at most nSize - 1 bytes and a terminator; returns the
   length copied, nSize when the path was cut short, 0 when there is none. */
DWORD GetModuleFileNameA(HMODULE hModule, char *lpFilename, DWORD nSize);

/* Says what GetModuleFileNameA reports from now on; NULL restores the
   process's real path. */
void NativeSetModulePath(const char *path);

#include <stdio.h>

typedef char PathChar;

inline DWORD GetModulePath(PathChar *path, DWORD size)
{
    return GetModuleFileNameA(NULL, path, size);
}

inline FILE *OpenToRead(const PathChar *path)
{
    return fopen(path, "rb");
}

#include <wctype.h>

/* The C library's upper case, by the locale's table. */
inline wchar_t UpperCase(wchar_t c)
{
    return (wchar_t)towupper((wint_t)c);
}

/* The system code page's stand-in here is ISO 8859-1: each byte is the unit
   of the same value. */
size_t DecodeAnsi(const char *bytes, size_t n, wchar_t *units, size_t size);

/* What GetDriveTypeW says of a drive, and GetFileAttributesW of a file, as
   far as the launcher asks. */
enum {
    DRIVE_UNKNOWN = 0,
    DRIVE_REMOVABLE = 2,
    DRIVE_FIXED = 3,
    DRIVE_REMOTE = 4,
    DRIVE_CDROM = 5,
    FILE_ATTRIBUTE_OFFLINE = 0x1000,
    FILE_ATTRIBUTE_RECALL_ON_OPEN = 0x40000,
    FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS = 0x400000
};
const unsigned long INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

/* The system's error numbers that the launch tells apart. */
enum {
    ERROR_SUCCESS = 0,
    ERROR_FILE_NOT_FOUND = 2,
    ERROR_INVALID_PARAMETER = 87,
    ERROR_ELEVATION_REQUIRED = 740,
    ERROR_CANCELLED = 1223
};

/* What the start operations below find and do, as a test sets it up, and
   what they were asked: the command started (by the interpreter's, when it
   runs a batch file) and in which folder, and the file elevated with its
   parameters. A name found is one of files' pairs of name and file; a
   variable one of variables' pairs of name and value (NULL ends both); a
   start or an elevation fails with its error unless that is 0. */
struct NativeLaunch {
    const wchar_t *const *files, *const *variables;
    DWORD startError, elevateError;
    /* Shortcuts: groups of the shortcut, its target, arguments and Start in
       folder (NULL ends them). */
    const wchar_t *const *shortcuts = NULL;
    /* Pairs of a file's name and its short name (NULL ends them). */
    const wchar_t *const *shortNames = NULL;
    const wchar_t *command = NULL, *elevated = NULL, *parameters = NULL; /* none */
    const wchar_t *dir = NULL; /* the folder a start or an elevation was given */
};
extern NativeLaunch g_nativeLaunch;

#endif /* _WIN32 */

#ifndef RC_INVOKED
/* A text of Runvo's own, by its number (ui/texts.h): *text points at its
   units, which are not terminated; gives their number, 0 for none. */
size_t LoadText(StringId id, const wchar_t **text);

/* Starting a program: what the launch of an entry asks of the platform
   (platform/start.cpp; platform/native.cpp stands in for it elsewhere). */

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
   the name as the UTF-16 one: the best-fit form of none of its characters
   beyond ASCII holds a quote, a backslash, a blank or a control character
   (launch/arguments.h says which bytes count). */
bool AnsiKeepsArguments(const wchar_t *name);

/* Whether looking at the file, by its full path, may wait on a network or
   a disc, or bring it down from the cloud (launch/search.h). */
bool FileMayWait(const wchar_t *path);

/* The file's short (8.3) name into shortName (PATH_SIZE characters); false when
   there is none. */
bool ShortName(const wchar_t *name, wchar_t *shortName);

/* An environment variable of the launcher's, as LookupFn says. */
size_t GetVariable(const wchar_t *name, wchar_t *value, size_t size);

/* Starts the file with the command line (the program shown normally) and
   the launcher's environment, in the folder dir (NULL: the launcher's
   working folder); wait: until the program is ready for input or 30 s have
   passed. Returns 0, or the system's error number when the start is
   refused. */
DWORD StartProgram(const wchar_t *file, wchar_t *command, bool wait, const wchar_t *dir);

/* The same for the command interpreter of the machine's own kind (the
   64-bit one on 64-bit Windows), whose own search for commands then leaves
   the current folder out. */
DWORD StartInterpreter(wchar_t *command, bool wait, const wchar_t *dir);

/* Opens the document in the system's Notepad; 0 or the error. */
DWORD OpenInNotepad(const wchar_t *document);

/* Starts the file at its full path with the parameters, in the folder dir
   (NULL: the launcher's working folder), through the shell's elevation
   prompt. Returns 0, or the error number: ERROR_CANCELLED when the user
   declined. */
DWORD ElevateProgram(const wchar_t *file, const wchar_t *parameters, const wchar_t *dir);

enum ShortcutRead {
    SHORTCUT_READ,
    SHORTCUT_UNREADABLE,
    SHORTCUT_TOO_LONG /* its arguments fill what any command line holds */
};

/* A shortcut (.lnk), read by the shell's own shortcut object: its target's
   path (PATH_SIZE characters; "" for a target that is no file, such as a
   Store app, and for an installer's advertised shortcut whose product is
   not installed: the installer's own record names its program), its
   arguments whole (COMMAND_LINE_SIZE; NULL: not asked for) and its Start in
   folder as written (PATH_SIZE, "" for none). */
ShortcutRead ReadShortcut(const wchar_t *lnk, wchar_t *target, wchar_t *args, wchar_t *dir);
#endif /* RC_INVOKED */

#endif /* RUNVO_PLATFORM_H */
