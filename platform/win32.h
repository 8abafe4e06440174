/*
 * The Win32 side of the launcher: <windows.h>, as the program includes it,
 * and the platform's helpers that only the windows (ui/), the entry point
 * and the interactive launch use: DLLs loaded on the routes that need them,
 * the shell's icons and version texts, the system's words for an error, the
 * places set-up writes, what looking at a file may wait on, and the list
 * file's stamp. The portable core sees none of it (platform/platform.h is
 * its side).
 */
#ifndef RUNVO_WIN32_H
#define RUNVO_WIN32_H

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

#include "launch/listwrite.h"
#include "launch/setup.h"
#include "launch/waits.h"
#include "platform/platform.h"

#ifndef ERROR_ELEVATION_REQUIRED /* not in MinGW's headers */
#define ERROR_ELEVATION_REQUIRED 740L
#endif
#ifndef FILE_ATTRIBUTE_RECALL_ON_OPEN /* Windows 10's, not in every SDK's headers */
#define FILE_ATTRIBUTE_RECALL_ON_OPEN 0x00040000
#endif
#ifndef FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS
#define FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS 0x00400000
#endif

/* The core's names are the platform's. */
static_assert(PATH_SIZE == MAX_PATH, "a path's size is the platform's");
static_assert(SYSTEM_FILE_NOT_FOUND == ERROR_FILE_NOT_FOUND &&
                  SYSTEM_INVALID_PARAMETER == ERROR_INVALID_PARAMETER &&
                  SYSTEM_ELEVATION_REQUIRED == ERROR_ELEVATION_REQUIRED &&
                  SYSTEM_CANCELLED == ERROR_CANCELLED,
              "the core's error numbers are the platform's");
static_assert(DRIVE_KIND_UNKNOWN == DRIVE_UNKNOWN && DRIVE_KIND_NO_ROOT == DRIVE_NO_ROOT_DIR &&
                  DRIVE_KIND_REMOVABLE == DRIVE_REMOVABLE && DRIVE_KIND_FIXED == DRIVE_FIXED &&
                  DRIVE_KIND_REMOTE == DRIVE_REMOTE && DRIVE_KIND_DISC == DRIVE_CDROM &&
                  DRIVE_KIND_RAM == DRIVE_RAMDISK,
              "the core's drive kinds are the platform's");
static_assert(NO_SUCH_FILE == INVALID_FILE_ATTRIBUTES &&
                  ATTRIBUTE_OFFLINE == FILE_ATTRIBUTE_OFFLINE &&
                  ATTRIBUTE_RECALL_ON_OPEN == FILE_ATTRIBUTE_RECALL_ON_OPEN &&
                  ATTRIBUTE_RECALL_ON_DATA_ACCESS == FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS,
              "the core's file attributes are the platform's");

/* A function of a DLL that one route needs, loaded when it is taken (from
   the system folder, where the launcher's DLL search is narrowed); NULL
   when there is none (platform/delayload.cpp). */
void (*LateFunction(const char *dll, const char *function))(void);

/* A function of a DLL that one route needs, as its declaration types it. */
#define LATE(dll, function) reinterpret_cast<decltype(&function)>(LateFunction(dll, #function))

/* COM in this thread, for the shell's objects and accessibility's, set
   up once (platform/shell.cpp); false where it cannot be. */
bool ComReady(void);

/* A new object of the class, in this process, by its interface iid into
 *object (NULL where it fails); an error where COM is not to be had. */
HRESULT NewObject(REFCLSID clsid, REFIID iid, void **object);

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
   program's icon (platform/shortcut.cpp). Returns 0 or the error. */
DWORD WriteShortcut(const WCHAR *lnk, const WCHAR *target, const WCHAR *dir);

/* Where programs are looked for, read once (platform/search.cpp); and
   whether a file (not a folder) of this name exists. */
const ProgramSearchPath *ProgramSearch(void);
bool IsFile(const WCHAR *name);

/* Whether looking at the file, by its full path, may wait on a network, a
   disc or a card, or bring it down from the cloud (launch/waits.h;
   platform/search.cpp). */
bool FileMayWait(const WCHAR *path);

/* When a file was last written, and its size: what tells that it was
   saved again. All 0 when there is no such file (platform/files.cpp). */
struct FileStamp {
    FILETIME written;
    DWORD sizeLow, sizeHigh;
};

FileStamp FileStampOf(const WCHAR *path);
bool SameStamp(const FileStamp &a, const FileStamp &b);

/* A file's bytes whole, into out (allocated; the caller frees them), and a
   file written whole: a new file beside it, put in its place in one step,
   with its attributes kept. Each returns 0 or the system's error. */
DWORD ReadWholeFile(const WCHAR *path, ListBytes *out);
DWORD ReplaceWholeFile(const WCHAR *path, const unsigned char *bytes, size_t n);

/* Opens the document in the system's Notepad, started in the document's
   folder; 0 or the error (platform/start.cpp). */
DWORD OpenInNotepad(const WCHAR *document);

/* Opens the file's folder in Explorer with the file selected; 0 or the
   error. */
DWORD ShowInFolder(const WCHAR *file);

/* The system's own words for an error number into words (size
   characters), its inserts naming insert; false when it has none
   (platform/words.cpp). */
bool SystemWords(DWORD error, const WCHAR *insert, WCHAR *words, size_t size);

/* The same, or where the system has none, the number: never nothing, so
   that "Windows says:" is always followed by words. */
void ErrorWords(DWORD error, const WCHAR *insert, WCHAR *words, size_t size);

/* The registry (platform/registry.cpp), each call returning 0 or the
   system's error: a value read (RegGetValueW's flags), a key's subkeys and
   values counted (ERROR_FILE_NOT_FOUND where it is not there), and under
   HKEY_CURRENT_USER a text set (value NULL: the key alone made), a value
   or an empty key deleted. */
DWORD RegistryRead(HKEY hive, const WCHAR *key, const WCHAR *name, DWORD flags, void *data,
                   DWORD *bytes);
DWORD RegistryKeyCount(HKEY hive, const WCHAR *key, DWORD *subkeys, DWORD *values);
DWORD RegistrySetText(const WCHAR *key, const WCHAR *name, const WCHAR *value);
DWORD RegistryDeleteValue(const WCHAR *key, const WCHAR *name);
DWORD RegistryDeleteKey(const WCHAR *key);

/* The system's error number of a COM result: a system error's own number,
   any other result as the number the system's messages name it by
   (platform/words.cpp). */
DWORD ErrorOf(HRESULT hr);

/* The places that set-up writes (launch/setup.h; platform/setup.cpp),
   named after this program's file name (exeName), as they are now (on
   set-up, the machine's own key of this name is read too); writing one for
   the program at target, or deleting what set-up wrote there, returns 0 or
   the system's error. Then the shell is told that associations changed. */
void ReadSetUpPlaces(const WCHAR *exeName, SetUpAction action, PlacesRead *read);

/* Whether the user's Open with key names this copy, exe, by the path that
   set-up writes; nothing but that key is read. */
bool OpenWithNamesThisCopy(const WCHAR *exe, const WCHAR *exeName);
DWORD WriteSetUpPlace(SetUpPlace place, const WCHAR *target, const WCHAR *exeName);
DWORD DeleteSetUpPlace(SetUpPlace place, const WCHAR *exeName);
void NotifyAssociationsChanged(void);

/* What set-up asks of files: whether two paths name one file, however
   each is spelt (its final path, or its number on its volume); whether a
   file is Runvo (its version information's ProductName and InternalName);
   whether a path's drive answers (its root is there, and looking at the
   path may not wait, as FileMayWait says); whether this copy runs from a temporary folder (TEMP's
   or TMP's, long forms compared). */
bool SameFile(const WCHAR *a, const WCHAR *b);
bool IsRunvo(const WCHAR *path);
bool DriveAnswers(const WCHAR *path);

/* Whether anyone but this user and the system's own accounts may change
   the file or the folder at path (launch/access.h; platform/access.cpp): a
   drive that keeps no permissions lets everyone. False where its access
   list cannot be read. */
bool OthersMayWritePath(const WCHAR *path, bool folder);
bool InTemporaryFolder(const WCHAR *exe);

#endif /* RC_INVOKED */

#endif /* RUNVO_WIN32_H */
